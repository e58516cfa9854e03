#include "SendSurvey.h"

#include "ModalDriver.h"
#include "ProgressWatch.h"
#include "RoadFailure.h"

#include "com/ComBstr.h"
#include "com/ComVariant.h"
#include "ui/MessageBox.h"

#include <QTreeWidget>

#include <chrono>
#include <thread>

namespace {

std::string First(const std::vector<std::string>& texts)
{
    return texts.empty() ? "" : texts.front();
}

// Reads the picker's rows and picks `project`.
std::vector<std::string> Pick(QWidget* picker, const std::string& project)
{
    std::vector<std::string> rows;
    auto* list = picker->findChild<QTreeWidget*>();
    for (int i = 0; list && i < list->topLevelItemCount(); ++i) {
        rows.push_back(list->topLevelItem(i)->text(0).toStdString());
        if (rows.back() == project)
            list->setCurrentItem(list->topLevelItem(i));
    }
    ClickButton(picker, "OK");
    return rows;
}

void Address(_Inspector* inspector, const std::string& subject, const std::vector<std::string>& recipients)
{
    CComPtr<IDispatch> item;
    inspector->get_CurrentItem(&item);
    CComQIPtr<_MailItem> mail(item.p);
    Require(mail, "the survey's inspector shows no mail item");
    Require(SUCCEEDED(mail->put_Subject(CComBSTR(subject.c_str()))), "the survey message takes no subject");
    CComPtr<Recipients> list;
    Require(SUCCEEDED(mail->get_Recipients(&list)), "the survey message has no recipients collection");
    for (const std::string& text : recipients) {
        CComPtr<Recipient> recipient;
        Require(SUCCEEDED(list->Add(CComBSTR(text.c_str()), &recipient)), "cannot add the recipient " + text);
    }
    Require(SUCCEEDED(mail->Save()), "the survey message cannot be saved");
}

std::vector<std::filesystem::path> AwaitCopies(const std::filesystem::path& outgoing, std::size_t expected)
{
    std::vector<std::filesystem::path> copies;
    for (int i = 0; i < 600; ++i) {
        copies.clear();
        if (std::filesystem::exists(outgoing))
            for (const auto& entry : std::filesystem::directory_iterator(outgoing))
                if (entry.path().extension() == ".eml")
                    copies.push_back(entry.path());
        if (copies.size() >= expected)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    // A copy too many would come within this time.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    return copies;
}

}  // namespace

SentSurvey SendSurvey(InProcessHost& host, const std::string& project, const std::string& subject,
                      const std::vector<std::string>& recipients, const std::filesystem::path& outgoing,
                      std::size_t expectedCopies)
{
    std::vector<std::string> boxes;
    const MessageBoxHook previous = SetMessageBoxHook([&boxes](const MessageBoxRequest& request) {
        boxes.push_back(request.text);
        return IDOK;
    });
    struct HookBack {
        MessageBoxHook hook;
        ~HookBack() { SetMessageBoxHook(hook); }
    } hookBack{previous};

    SentSurvey sent;
    {
        ModalDriver picker([&](QWidget* dialog) { sent.offered = Pick(dialog, project); });
        Require(host.Windows().Trigger(host.Explorer(), "Create survey..."),
                "the explorer has no \"Create survey...\"");
        Require(picker.Title() == "Choose the survey project...",
                "the picker did not open; it was \"" + picker.Title() + "\"");
    }
    CComPtr<_Inspector> inspector = host.FirstInspector();
    Require(inspector, "picking \"" + project + "\" opened no survey message: " + First(boxes));
    Address(inspector, subject, recipients);

    ProgressWatch progress;
    Require(host.Windows().Trigger(inspector, "Send survey"), "the survey message has no \"Send survey\"");
    Require(progress.Errors().empty(), "the sending reported: " + First(progress.Errors()));
    Require(boxes.empty(), "a message box said: " + First(boxes));
    Require(!host.FirstInspector(), "the survey message stayed open after sending");

    sent.copies = AwaitCopies(outgoing, expectedCopies);
    Require(sent.copies.size() == expectedCopies, std::to_string(sent.copies.size()) + " copies in " +
                                                      outgoing.string() + ", not " + std::to_string(expectedCopies));
    return sent;
}
