#pragma once
// A message that passes every call on to a real one, except SetProps, which
// fails or reports a problem as told; it counts the saves that reach it.

#include "com/UnknownImpl.h"
#include "mapi/MapiUtil.h"

class MessageWithFailingSetProps : public pollenta::com::CUnknownImpl<MessageWithFailingSetProps, IMessage> {
public:
    // With a failing `result` SetProps returns it; with a success it reports
    // one problem.
    MessageWithFailingSetProps(IMessage* inner, HRESULT result) : m_inner(inner), m_result(result) { m_inner->AddRef(); }
    ~MessageWithFailingSetProps() override { m_inner->Release(); }

    int saves = 0;

    STDMETHODIMP SetProps(ULONG, LPSPropValue values, LPSPropProblemArray* problems) override
    {
        if (FAILED(m_result))
            return m_result;
        LPSPropProblemArray array = nullptr;
        MAPIAllocateBuffer(sizeof(SPropProblemArray), reinterpret_cast<LPVOID*>(&array));
        array->cProblem = 1;
        array->aProblem[0] = {0, values[0].ulPropTag, MAPI_E_NO_ACCESS};
        *problems = array;
        return m_result;
    }
    STDMETHODIMP SaveChanges(ULONG flags) override
    {
        ++saves;
        return m_inner->SaveChanges(flags);
    }
    STDMETHODIMP GetLastError(HRESULT hr, ULONG flags, LPMAPIERROR* error) override
    {
        return m_inner->GetLastError(hr, flags, error);
    }
    STDMETHODIMP GetProps(LPSPropTagArray tags, ULONG flags, ULONG* count, LPSPropValue* values) override
    {
        return m_inner->GetProps(tags, flags, count, values);
    }
    STDMETHODIMP GetPropList(ULONG flags, LPSPropTagArray* tags) override { return m_inner->GetPropList(flags, tags); }
    STDMETHODIMP OpenProperty(ULONG tag, LPCIID iid, ULONG options, ULONG flags, LPUNKNOWN* object) override
    {
        return m_inner->OpenProperty(tag, iid, options, flags, object);
    }
    STDMETHODIMP DeleteProps(LPSPropTagArray tags, LPSPropProblemArray* problems) override
    {
        return m_inner->DeleteProps(tags, problems);
    }
    STDMETHODIMP CopyTo(ULONG count, LPCIID exclude, LPSPropTagArray excludeProps, ULONG_PTR ui,
                        LPMAPIPROGRESS progress, LPCIID iid, LPVOID target, ULONG flags,
                        LPSPropProblemArray* problems) override
    {
        return m_inner->CopyTo(count, exclude, excludeProps, ui, progress, iid, target, flags, problems);
    }
    STDMETHODIMP GetIDsFromNames(ULONG count, LPMAPINAMEID* names, ULONG flags, LPSPropTagArray* tags) override
    {
        return m_inner->GetIDsFromNames(count, names, flags, tags);
    }
    STDMETHODIMP GetAttachmentTable(ULONG flags, LPMAPITABLE* table) override
    {
        return m_inner->GetAttachmentTable(flags, table);
    }
    STDMETHODIMP OpenAttach(ULONG number, LPCIID iid, ULONG flags, LPATTACH* attach) override
    {
        return m_inner->OpenAttach(number, iid, flags, attach);
    }
    STDMETHODIMP CreateAttach(LPCIID iid, ULONG flags, ULONG* number, LPATTACH* attach) override
    {
        return m_inner->CreateAttach(iid, flags, number, attach);
    }
    STDMETHODIMP DeleteAttach(ULONG number, ULONG_PTR ui, LPMAPIPROGRESS progress, ULONG flags) override
    {
        return m_inner->DeleteAttach(number, ui, progress, flags);
    }
    STDMETHODIMP GetRecipientTable(ULONG flags, LPMAPITABLE* table) override
    {
        return m_inner->GetRecipientTable(flags, table);
    }
    STDMETHODIMP ModifyRecipients(ULONG flags, LPADRLIST list) override { return m_inner->ModifyRecipients(flags, list); }
    STDMETHODIMP SubmitMessage(ULONG flags) override { return m_inner->SubmitMessage(flags); }

private:
    IMessage* m_inner;
    HRESULT m_result;
};
