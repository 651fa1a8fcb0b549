// Program entry of the window program: the application window with the
// application title, the one form, and the message loop that ends when the
// form has closed.
#include <windows.h>

#include <commctrl.h>

#include "app/command_session.hpp"
#include "app/win/app_window.hpp"
#include "app/win/form1.hpp"
#include "app/win/resource_ids.hpp"
#include "exchange/JwwGaibu.hpp"
#include "platform/program_path.hpp"

namespace {

HICON LoadProgramIcon(HINSTANCE instance, int size_metric_x, int size_metric_y) {
    return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(CROSSRECT_ICON_ID), IMAGE_ICON,
                                         GetSystemMetrics(size_metric_x),
                                         GetSystemMetrics(size_metric_y), LR_DEFAULTCOLOR));
}

// Without a window the host still gets an answer: "hq", nothing to draw,
// rather than its own selection read back as commands. The window's own
// sequence, cancelled at once.
void AnswerNothing() {
    Unit1::TCommandSession session(JwwGaibu::ExchangeState(),
                                   Unit1::FilesBesideProgram(Platform::ProgramFilePath()));
    Unit1::TRectSettings settings;
    session.Open(settings);
    session.Close();
}

int RunMessageLoop(Unit1::TForm1& form) {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (form.PreTranslateMessage(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    HICON icon = LoadProgramIcon(instance, SM_CXICON, SM_CYICON);
    HICON small_icon = LoadProgramIcon(instance, SM_CXSMICON, SM_CYSMICON);

    Unit1::TAppWindow application;
    Unit1::TForm1 form(instance, application);
    if (!application.Create(instance, icon, small_icon) || !form.Create(icon, small_icon)) {
        AnswerNothing();
        return 1;
    }
    application.SetMainForm(form.Handle());
    try {
        form.Show();
    } catch (...) {
        form.HandleFailure();
    }
    return RunMessageLoop(form);
}
