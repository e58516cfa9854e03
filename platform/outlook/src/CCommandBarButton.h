#pragma once
// A button of a command bar: a style, a face and a Click told to every
// _CommandBarButtonEvents sink (the control and a cancel flag by reference).

#include "CCommandBarControlImpl.h"

#include "com/ConnectionPointImpl.h"

#include <vector>

namespace pollenta::outlook {

class CCommandBarButton
    : public pollenta::com::CUnknownImpl<CCommandBarButton,
                                         CCommandBarControlImpl<CCommandBarButton, _CommandBarButton>,
                                         pollenta::com::CConnectionPointContainerImpl> {
public:
    CCommandBarButton();

    static std::span<const pollenta::com::DispatchMember<CCommandBarButton>> DispatchMembers();
    void* QueryInterfaceExtra(REFIID iid);

    STDMETHODIMP Execute() override;
    STDMETHODIMP get_Style(LONG* style) override;
    STDMETHODIMP put_Style(LONG style) override;
    STDMETHODIMP get_FaceId(LONG* faceId) override;
    STDMETHODIMP put_FaceId(LONG faceId) override;
    STDMETHODIMP PasteFace() override;
    STDMETHODIMP get_FacePicture(VARIANT* bytes) override;

private:
    pollenta::com::CConnectionPointImpl m_clickPoint;
    LONG m_style = msoButtonAutomatic;
    LONG m_faceId = 0;
    std::vector<BYTE> m_face;
};

}  // namespace pollenta::outlook
