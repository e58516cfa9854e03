#pragma once
// One message taken by the processor thread: whether it is a survey answer,
// its form data, the record added to the project's answer table, the log
// lines, the subject mark and the message action.
//
//     CWEAnswerMessage message(log, snapshot, propsCache);
//     message.Process(session, store, opened, hubberly);

#include "form/CWEFormFieldList.h"
#include "message/CWEProjectPropsCache.h"
#include "processor/CWEWatchSnapshot.h"

#include "log/CWELog.h"
#include "project/CWEProjectProps.h"

#include "IHubberly.h"

#include "com/ComPtr.h"
#include "mapi/IAttachment.h"
#include "mapi/IMAPISession.h"
#include "mapi/IMessage.h"
#include "mapi/IMsgStore.h"

#include <string>

class CWEAnswerMessage {
public:
    enum MessageAction : LONG { kLeave = 0, kMove = 1, kFlag = 2, kExpire = 3, kDelete = 4 };

    // The settings and the cache of project properties are the caller's:
    // they must outlive the object.
    CWEAnswerMessage(CWELog& log, const CWEWatchSnapshot& settings, CWEProjectPropsCache& props)
        : m_log(log), m_settings(settings), m_props(props)
    {
    }
    CWEAnswerMessage(CWELog& log, CWEWatchSnapshot&& settings, CWEProjectPropsCache& props) = delete;

    // S_OK when done, also for a message that is no answer; 1 for a message
    // never submitted (left unmarked, offered again later); the error of a
    // processed mark that cannot be written; E_FAIL for missing arguments
    // or an unreadable attachment table.
    HRESULT Process(IMAPISession* session, IMsgStore* store, IMessage* message, IHubberly* hubberly);

    // The subject plus " " and the project's success or failure mark, saved.
    HRESULT MarkSubject(const CWEProjectProps& props, bool success);
    // S_OK when the configured action was done or there was none.
    HRESULT ApplyMessageAction();

private:
    HRESULT ProcessAnswer(IAttachment* attachment, bool& handled);
    HRESULT InsertAnswer(CWEFormFieldList& fields, LONG projectId, const CWEProjectProps& props);
    void LogFieldWarnings(const VARIANT& errors, const CWEFormFieldList& fields, const std::string& id);
    // One warning for each pair that could not be decoded; true when there
    // was one.
    bool LogUndecodedFields(const CWEFormFieldList& fields, const std::string& id);
    HRESULT RefuseAnswer();
    std::string GetSenderSmtpAddress();
    std::string GetSenderText(const std::string& address);

    HRESULT MoveToFolder();
    HRESULT DeleteMessage();
    HRESULT FlagMessage();
    HRESULT MarkExpired();
    HRESULT MoveMessage(IMAPIFolder* source, IMAPIFolder* destination);
    HRESULT SetAndSave(SPropValue& value);

    CWELog& m_log;
    const CWEWatchSnapshot& m_settings;
    CWEProjectPropsCache& m_props;
    CComPtr<IMAPISession> m_spSession;
    CComPtr<IMsgStore> m_spMsgStore;
    CComPtr<IMessage> m_spMessage;
    CComPtr<IHubberly> m_spHubberly;
    std::string m_strSender;
    // The charset the answer's form data was read in, for the log.
    std::string m_strAnswerCharset;
    // Whether the subject got the failure mark, which the flag text repeats.
    bool m_bFailed = false;
};
