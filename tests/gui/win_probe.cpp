// Test helper for the window tests: reads another process's windows the way
// a user sees them and writes what it found as UTF-8 lines to a file.
//   win_probe OUTFILE form     the form: caption, owner, sizes, every control
//                              (class, place, text, list items, flags), tab
//                              order and the focused control
//   win_probe OUTFILE msgbox   the open message box: caption, texts, place
//   win_probe OUTFILE restore  asks the form's owner to restore itself, as
//                              a click on its task-bar button does
//   win_probe OUTFILE settext ID TEXT
//                              sets the text of the form's control ID, as
//                              an input method hands over what was typed
// Exit code 0 when the window was found, 1 otherwise.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string Utf8(const std::wstring& text) {
    if (text.empty()) return {};
    const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                        length, nullptr, nullptr);
    return bytes;
}

// Line ends shown as \n so that one window text stays one output line.
std::string Escaped(const std::wstring& text) {
    std::string out;
    for (char c : Utf8(text)) {
        if (c == '\r') continue;
        if (c == '\n')
            out += "\\n";
        else
            out += c;
    }
    return out;
}

std::wstring TextOf(HWND window) {
    wchar_t buffer[4096] = {};
    SendMessageTimeoutW(window, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(buffer), SMTO_BLOCK,
                        2000, nullptr);
    return buffer;
}

std::wstring ClassOf(HWND window) {
    wchar_t buffer[256] = {};
    GetClassNameW(window, buffer, 256);
    return buffer;
}

RECT RectInParent(HWND window, HWND parent) {
    RECT rect;
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::vector<HWND> Children(HWND parent) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

std::string Flags(HWND window) {
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    const std::wstring kind = ClassOf(window);
    std::string flags;
    if (style & WS_TABSTOP) flags += " tabstop";
    if (style & WS_VSCROLL) flags += " vscroll";
    if (_wcsicmp(kind.c_str(), L"Edit") == 0) {
        if (style & ES_MULTILINE) flags += " multiline";
        if (style & ES_READONLY) flags += " readonly";
        if (style & ES_WANTRETURN) flags += " wantreturn";
        if (!(style & ES_AUTOHSCROLL) && (style & ES_MULTILINE)) flags += " wordwrap";
    } else if (_wcsicmp(kind.c_str(), L"ComboBox") == 0) {
        if ((style & 3) == CBS_DROPDOWNLIST) flags += " dropdownlist";
    } else if (_wcsicmp(kind.c_str(), L"Button") == 0) {
        if ((style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) flags += " default";
    } else if (_wcsicmp(kind.c_str(), L"Static") == 0) {
        if ((style & SS_TYPEMASK) == SS_CENTER) flags += " centre";
        if (style & SS_CENTERIMAGE) flags += " vcentre";
    }
    return flags.empty() ? " -" : flags;
}

void WriteItems(std::FILE* out, HWND combo, int id) {
    const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    std::fprintf(out, "list %d count %ld selected %ld\n", id, static_cast<long>(count),
                 static_cast<long>(SendMessageW(combo, CB_GETCURSEL, 0, 0)));
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t buffer[256] = {};
        if (SendMessageW(combo, CB_GETLBTEXTLEN, i, 0) < 255)
            SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(buffer));
        std::fprintf(out, "item %d %ld %s\n", id, static_cast<long>(i), Utf8(buffer).c_str());
    }
}

bool DescribeForm(std::FILE* out) {
    HWND form = FindWindowW(L"TForm1", nullptr);
    if (!form || !IsWindowVisible(form)) return false;
    RECT frame, client;
    GetWindowRect(form, &frame);
    GetClientRect(form, &client);
    const LONG style = GetWindowLongW(form, GWL_STYLE);
    std::fprintf(out, "caption %s\n", Escaped(TextOf(form)).c_str());
    std::fprintf(out, "owner %s\n", Escaped(TextOf(GetWindow(form, GW_OWNER))).c_str());
    std::fprintf(out, "position %ld %ld\n", frame.left, frame.top);
    std::fprintf(out, "client %ld %ld\n", client.right, client.bottom);
    std::fprintf(out, "frame%s%s%s%s\n", (style & WS_THICKFRAME) ? " sizable" : " fixed",
                 (style & WS_SYSMENU) ? " sysmenu" : "",
                 (style & WS_MINIMIZEBOX) ? " minimize" : "",
                 (style & WS_MAXIMIZEBOX) ? " maximize" : "");
    for (HWND child : Children(form)) {
        const int id = GetDlgCtrlID(child);
        const RECT rect = RectInParent(child, form);
        std::fprintf(out, "control %d %s %ld %ld %ld %ld%s\n", id, Utf8(ClassOf(child)).c_str(),
                     rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                     Flags(child).c_str());
        std::fprintf(out, "text %d %s\n", id, Escaped(TextOf(child)).c_str());
        if (_wcsicmp(ClassOf(child).c_str(), L"ComboBox") == 0) WriteItems(out, child, id);
    }
    std::string order;
    HWND first = GetNextDlgTabItem(form, nullptr, FALSE);
    for (HWND item = first; item;) {
        order += " " + std::to_string(GetDlgCtrlID(item));
        item = GetNextDlgTabItem(form, item, FALSE);
        if (item == first) break;
    }
    std::fprintf(out, "taborder%s\n", order.c_str());
    GUITHREADINFO thread{};
    thread.cbSize = sizeof(thread);
    GetGUIThreadInfo(GetWindowThreadProcessId(form, nullptr), &thread);
    std::fprintf(out, "focus %d\n",
                 thread.hwndFocus && thread.hwndFocus != form ? GetDlgCtrlID(thread.hwndFocus) : 0);
    std::fprintf(out, "active %s\n",
                 thread.hwndActive ? Utf8(ClassOf(thread.hwndActive)).c_str() : "-");
    return true;
}

HWND FindMessageBox() {
    HWND found = nullptr;
    EnumWindows(
        [](HWND window, LPARAM result) -> BOOL {
            if (!IsWindowVisible(window) || ClassOf(window) != L"#32770") return TRUE;
            *reinterpret_cast<HWND*>(result) = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

bool DescribeMessageBox(std::FILE* out) {
    HWND box = FindMessageBox();
    if (!box) return false;
    RECT frame;
    GetWindowRect(box, &frame);
    std::fprintf(out, "caption %s\n", Escaped(TextOf(box)).c_str());
    std::fprintf(out, "rect %ld %ld %ld %ld\n", frame.left, frame.top, frame.right - frame.left,
                 frame.bottom - frame.top);
    std::fprintf(out, "screen %d %d\n", GetSystemMetrics(SM_CXSCREEN),
                 GetSystemMetrics(SM_CYSCREEN));
    HWND owner = GetWindow(box, GW_OWNER);
    std::fprintf(out, "owner %s\n", Utf8(owner ? ClassOf(owner) : L"").c_str());
    for (HWND child : Children(box)) {
        const std::wstring kind = ClassOf(child);
        const std::wstring text = TextOf(child);
        if (!IsWindowVisible(child) || text.empty()) continue;
        std::fprintf(out, "%s %s\n", _wcsicmp(kind.c_str(), L"Button") == 0 ? "button" : "text",
                     Escaped(text).c_str());
    }
    return true;
}

bool RestoreOwner(std::FILE* out) {
    HWND form = FindWindowW(L"TForm1", nullptr);
    HWND owner = form ? GetWindow(form, GW_OWNER) : nullptr;
    if (!owner) return false;
    std::fprintf(out, "restoring %s\n", Escaped(TextOf(owner)).c_str());
    return PostMessageW(owner, WM_SYSCOMMAND, SC_RESTORE, 0) != 0;
}

bool SetControlText(std::FILE* out, const wchar_t* id, const wchar_t* text) {
    HWND form = FindWindowW(L"TForm1", nullptr);
    HWND control = form ? GetDlgItem(form, _wtoi(id)) : nullptr;
    if (!control) return false;
    std::fprintf(out, "set %s\n", Utf8(text).c_str());
    return SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) == TRUE;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 5 && std::wstring(argv[2]) == L"settext") {
        std::FILE* out = _wfopen(argv[1], L"wb");
        if (!out) return 2;
        const bool set = SetControlText(out, argv[3], argv[4]);
        std::fclose(out);
        return set ? 0 : 1;
    }
    if (argc != 3) return 2;
    std::FILE* out = _wfopen(argv[1], L"wb");
    if (!out) return 2;
    const std::wstring what = argv[2];
    bool found = false;
    if (what == L"form")
        found = DescribeForm(out);
    else if (what == L"msgbox")
        found = DescribeMessageBox(out);
    else if (what == L"restore")
        found = RestoreOwner(out);
    std::fclose(out);
    return found ? 0 : 1;
}
