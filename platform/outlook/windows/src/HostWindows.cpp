#include "outlookwindows/HostWindows.h"

#include "AddressImport.h"
#include "CAddressBookDialog.h"
#include "CExplorerWindow.h"
#include "CInspectorWindow.h"
#include "COptionsDialog.h"
#include "CommandBarWidgets.h"

#include "com/ComBstr.h"
#include "com/ComPtr.h"
#include "com/ComVariant.h"
#include "com/ConnectionPoint.h"
#include "com/EventSink.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QSocketNotifier>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <map>

namespace pollenta::outlook {

namespace {

QApplication* EnsureQtApplication()
{
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance()))
        return app;
    // Qt keeps argc by reference for the application's whole life.
    static int argc = 1;
    static char name[] = "mailhost";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return app;
}

CComPtr<IUnknown> Identity(IUnknown* object)
{
    CComPtr<IUnknown> identity;
    if (object)
        object->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity));
    return identity;
}

}  // namespace

bool HasDisplay()
{
    if (const char* platform = std::getenv("QT_QPA_PLATFORM"); platform && *platform)
        return true;
    // Qt gives up the process when it cannot reach the display it is told
    // of, so a local display counts only when its socket is there.
    const std::string runtime = std::getenv("XDG_RUNTIME_DIR") ? std::getenv("XDG_RUNTIME_DIR") : "";
    if (const char* wayland = std::getenv("WAYLAND_DISPLAY"); wayland && *wayland)
        if (std::filesystem::exists(*wayland == '/' ? std::string(wayland) : runtime + "/" + wayland))
            return true;
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display)
        return false;
    if (display[0] != ':')
        return true;
    const std::string number = std::string(display + 1).substr(0, std::string(display + 1).find('.'));
    return std::filesystem::exists("/tmp/.X11-unix/X" + number);
}

class HostWindows::Impl {
public:
    explicit Impl(OutlookHost& host) : m_host(host)
    {
        EnsureQtApplication();
        CComPtr<_Explorers> explorers;
        CComPtr<_Inspectors> inspectors;
        host.Application()->get_Explorers(&explorers);
        host.Application()->get_Inspectors(&inspectors);
        Listen(explorers, IID_ExplorersEvents, [this](DISPID, pollenta::com::DispatchCall& call) {
            CComVariant explorer;
            if (SUCCEEDED(call.Arg(0, VT_DISPATCH, &explorer)))
                OpenExplorer(CComQIPtr<_Explorer>(explorer.pdispVal));
            return S_OK;
        });
        Listen(inspectors, IID_InspectorsEvents, [this](DISPID, pollenta::com::DispatchCall& call) {
            CComVariant inspector;
            if (SUCCEEDED(call.Arg(0, VT_DISPATCH, &inspector)))
                OpenInspector(CComQIPtr<_Inspector>(inspector.pdispVal));
            return S_OK;
        });
    }
    ~Impl()
    {
        for (auto& [point, cookie] : m_advised)
            point->Unadvise(cookie);
        for (auto& [object, window] : m_windows)
            delete window.data();
        // Closed windows still waiting for the event loop hold their explorer
        // or inspector; without a loop to come they would keep them, and the
        // MAPI session behind them, for the rest of the process.
        for (const QPointer<QMainWindow>& window : m_closed)
            delete window.data();
        // The Options dialog holds the add-ins' pages; they go before the
        // add-ins do.
        delete m_options.data();
        delete m_addressBook.data();
        delete m_import.data();
    }

    // The profile's address book, through the client's MAPI session.
    CComPtr<IAddrBook> AddressBook()
    {
        CComPtr<_NameSpace> nameSpace;
        CComPtr<IUnknown> object;
        CComPtr<IAddrBook> book;
        if (FAILED(m_host.Application()->GetNamespace(CComBSTR("MAPI"), &nameSpace)) ||
            FAILED(nameSpace->get_MAPIOBJECT(&object)))
            return book;
        if (CComQIPtr<IMAPISession> session(object.p); session)
            session->OpenAddressBook(0, nullptr, 0, &book);
        return book;
    }

    void ShowAddressBook()
    {
        if (!m_addressBook) {
            CComPtr<IAddrBook> book = AddressBook();
            if (!book)
                return;
            m_addressBook = new CAddressBookDialog(book, nullptr);
            m_addressBook->setObjectName("addressBook");
        }
        m_addressBook->show();
        m_addressBook->raise();
    }

    int Run(int stopFd)
    {
        std::unique_ptr<QSocketNotifier> stop;
        if (stopFd >= 0) {
            stop = std::make_unique<QSocketNotifier>(stopFd, QSocketNotifier::Read);
            QObject::connect(stop.get(), &QSocketNotifier::activated, [] { QCoreApplication::exit(0); });
        }
        return QApplication::exec();
    }

    QMainWindow* WindowOf(IUnknown* object)
    {
        auto found = m_windows.find(Identity(object).p);
        return found == m_windows.end() ? nullptr : found->second.data();
    }

    std::vector<std::string> ShowOptions()
    {
        std::vector<OptionsPage> pages;
        m_host.CollectOptionsPages(pages);
        delete m_options.data();
        m_options = new COptionsDialog(pages, nullptr);
        m_options->show();
        return m_options->TabTitles();
    }

private:
    void Listen(IUnknown* source, REFIID iid, pollenta::com::EventHandler handler)
    {
        CComQIPtr<IConnectionPointContainer> container(source);
        CComPtr<IConnectionPoint> point;
        CComPtr<IDispatch> sink;
        DWORD cookie = 0;
        if (!container || FAILED(container->FindConnectionPoint(iid, &point)) ||
            FAILED(pollenta::com::CreateEventSink(iid, std::move(handler), &sink)) ||
            FAILED(point->Advise(sink, &cookie)))
            return;
        m_advised.emplace_back(point, cookie);
    }

    // The window goes when the object model says its explorer or inspector closed.
    void CloseWithObject(IUnknown* object, REFIID iid)
    {
        Listen(object, iid, [this, key = Identity(object)](DISPID id, pollenta::com::DispatchCall&) {
            if (id != DISPID_ExplorerEvents_Close)
                return S_OK;
            auto found = m_windows.find(key.p);
            if (found == m_windows.end())
                return S_OK;
            QPointer<QMainWindow> window = found->second;
            m_windows.erase(found);
            if (window) {
                window->close();
                window->deleteLater();
                std::erase_if(m_closed, [](const QPointer<QMainWindow>& gone) { return !gone; });
                m_closed.push_back(window);
            }
            if (!HasExplorerWindow() && m_running)
                QCoreApplication::exit(0);
            return S_OK;
        });
    }

    bool HasExplorerWindow() const
    {
        for (const auto& [object, window] : m_windows)
            if (dynamic_cast<CExplorerWindow*>(window.data()))
                return true;
        return false;
    }

    void OpenExplorer(_Explorer* explorer)
    {
        if (!explorer)
            return;
        ExplorerCommands commands;
        commands.showOptions = [this] { ShowOptions(); };
        // Exit closes every window; the loop ends with the last explorer.
        commands.exit = [this] { m_host.CloseWindows(); };
        commands.showAddressBook = [this] { ShowAddressBook(); };
        commands.importAndExport = [this] {
            if (CComPtr<IAddrBook> book = AddressBook()) {
                delete m_import.data();
                m_import = StartAddressImport(book, nullptr);
            }
        };
        auto* window = new CExplorerWindow(m_host.Application(), explorer, std::move(commands));
        m_windows[Identity(explorer)] = window;
        CloseWithObject(explorer, IID_ExplorerEvents);
        window->show();
    }

    void OpenInspector(_Inspector* inspector)
    {
        if (!inspector)
            return;
        auto* window = new CInspectorWindow(inspector);
        m_windows[Identity(inspector)] = window;
        CloseWithObject(inspector, IID_InspectorEvents);
        window->show();
    }

    OutlookHost& m_host;
    std::map<CComPtr<IUnknown>, QPointer<QMainWindow>> m_windows;
    std::vector<QPointer<QMainWindow>> m_closed;
    std::vector<std::pair<CComPtr<IConnectionPoint>, DWORD>> m_advised;
    QPointer<COptionsDialog> m_options;
    QPointer<CAddressBookDialog> m_addressBook;
    QPointer<QDialog> m_import;
    bool m_running = false;

    friend class HostWindows;
};

HostWindows::HostWindows(OutlookHost& host) : m_impl(std::make_unique<Impl>(host)) {}

HostWindows::~HostWindows() = default;

int HostWindows::Run(int stopFd)
{
    m_impl->m_running = true;
    const int code = m_impl->Run(stopFd);
    m_impl->m_running = false;
    return code;
}

void HostWindows::ProcessEvents()
{
    QCoreApplication::processEvents();
}

bool HostWindows::SaveWindowPicture(IUnknown* explorerOrInspector, const std::string& pngPath)
{
    QMainWindow* window = m_impl->WindowOf(explorerOrInspector);
    if (!window)
        return false;
    // Changes to the bars not yet shown are, and are laid out, before the
    // picture is taken.
    QCoreApplication::processEvents();
    return window->grab().save(QString::fromStdString(pngPath), "PNG");
}

bool HostWindows::SaveMenuPicture(IUnknown* explorerOrInspector, const std::string& caption, const std::string& pngPath)
{
    QCoreApplication::processEvents();
    QMainWindow* window = m_impl->WindowOf(explorerOrInspector);
    if (!window)
        return false;
    QMenu* menu = FindMenu(window->menuBar()->actions(), caption);
    if (!menu)
        return false;
    menu->popup(window->mapToGlobal(QPoint(0, 0)));
    QCoreApplication::processEvents();
    const bool saved = menu->grab().save(QString::fromStdString(pngPath), "PNG");
    menu->hide();
    return saved;
}

bool HostWindows::Trigger(IUnknown* explorerOrInspector, const std::string& caption)
{
    // A person clicks what the window shows once the event loop came round.
    QCoreApplication::processEvents();
    QMainWindow* window = m_impl->WindowOf(explorerOrInspector);
    if (!window)
        return false;
    QList<QAction*> actions = window->menuBar()->actions();
    for (QToolBar* toolBar : window->findChildren<QToolBar*>())
        actions += toolBar->actions();
    QAction* action = FindAction(actions, caption);
    if (!action)
        return false;
    action->trigger();
    return true;
}

std::vector<std::string> HostWindows::ShowOptions()
{
    return m_impl->ShowOptions();
}

}  // namespace pollenta::outlook
