#include "app/win/form1_layout.hpp"

#include <array>
#include <initializer_list>

#include "app/win/control_ids.hpp"

namespace Unit1 {

namespace {

using K = TControlKind;
using C = TForm1Controls;

constexpr std::array<TControlLayout, 22> kControls{{
    {&C::ComboBox1, K::DropDownList, kIdComboBox1, 48, 8, 193, 21, L""},
    {&C::ComboBox2, K::DropDownList, kIdComboBox2, 48, 32, 193, 21, L""},
    {&C::Edit1, K::Edit, kIdEdit1, 48, 56, 105, 21, L""},
    {&C::Edit2, K::Edit, kIdEdit2, 48, 80, 105, 21, L""},
    {&C::ComboBox3, K::DropDownList, kIdComboBox3, 160, 80, 81, 21, L""},
    {&C::Edit3, K::Edit, kIdEdit3, 48, 104, 105, 21, L""},
    {&C::ComboBox4, K::DropDownList, kIdComboBox4, 160, 104, 81, 21, L""},
    {&C::Edit4, K::Edit, kIdEdit4, 48, 128, 105, 21, L""},
    {&C::ComboBox5, K::DropDownList, kIdComboBox5, 64, 152, 89, 21, L""},
    {&C::Button1, K::DefaultButton, kIdButton1, 64, 192, 129, 25, L"ＯＫ(&Y)"},
    {&C::Button2, K::CancelButton, kIdButton2, 272, 192, 129, 25, L"キャンセル(&N)"},
    {&C::Memo1, K::Notes, kIdMemo1, 272, 8, 193, 161, L""},
    {&C::Label1, K::Label, kIdLabel1, 8, 12, 28, 13, L"線色"},
    {&C::Label3, K::Label, kIdLabel3, 8, 36, 28, 13, L"線種"},
    {&C::Label9, K::Label, kIdLabel9, 8, 60, 28, 13, L"線幅"},
    {&C::Label10, K::Label, kIdLabel10, 160, 64, 77, 13, L"1/100mm単位"},
    {&C::Label2, K::Label, kIdLabel2, 8, 84, 28, 13, L"横幅"},
    {&C::Label5, K::Label, kIdLabel5, 8, 108, 28, 13, L"縦高"},
    {&C::Label4, K::Label, kIdLabel4, 8, 132, 28, 13, L"角度"},
    {&C::Label6, K::Label, kIdLabel6, 160, 134, 98, 13, L"°(反時計回り)"},
    {&C::Label7, K::Label, kIdLabel7, 8, 156, 42, 13, L"基準点"},
    {&C::LabelA1, K::StatusLine, kIdLabelA1, 0, 223, 472, 24, L"　"},
}};

constexpr std::array<const wchar_t*, 25> kNotes{{
    L"○現在のレイヤ",
    L"（書込みレイヤ）に",
    L"　作図します",
    L"○寸法図形・寸法属性は",
    L"　処理対象外です",
    L"○曲線属性が同じ場合",
    L"　交点が線分端点となる",
    L"　場合は作図を行いません",
    L"　",
    L"作図する矩形の",
    L"横幅・縦高・角度[°]",
    L"を入力して下さい。",
    L"角度入力は小数点入力です",
    L"矩形の基準点を",
    L"指示して下さい。　",
    L"　",
    L"◆ブロック図形内のもの",
    L"　は処理出来ませんので",
    L"　御注意下さい。",
    L"　ブロック編集内で行う",
    L"　場合には、本ソフトを",
    L"　Jw_cadのインストール・",
    L"　フォルダに配置して",
    L"　実行を行う必要がある",
    L"　場合があります。",
}};

// A named run of numbered items: prefix + 1 .. prefix + count.
struct TNumberedRun {
    const wchar_t* Prefix;
    int Count;
};

std::vector<std::wstring> BuildList(const wchar_t* first,
                                    std::initializer_list<TNumberedRun> runs) {
    std::vector<std::wstring> items{first};
    for (const TNumberedRun& run : runs)
        for (int number = 1; number <= run.Count; ++number)
            items.push_back(run.Prefix + std::to_wstring(number));
    return items;
}

} // namespace

std::span<const TControlLayout> FormControls() {
    return kControls;
}

const std::wstring& NotesText() {
    static const std::wstring text = [] {
        std::wstring joined;
        for (const wchar_t* line : kNotes) {
            if (!joined.empty()) joined += L"\r\n";
            joined += line;
        }
        return joined;
    }();
    return text;
}

const std::vector<std::wstring>& LineColorItems() {
    static const std::vector<std::wstring> items =
        BuildList(L"現在線色", {{L"線色", 9}, {L"SXF-", 256}});
    return items;
}

const std::vector<std::wstring>& LineTypeItems() {
    static const std::vector<std::wstring> items =
        BuildList(L"現在線種", {{L"線種", 9}, {L"ランダム線", 5}, {L"倍長線種", 4}, {L"SXF-", 32}});
    return items;
}

const std::vector<std::wstring>& SizeUnitItems() {
    static const std::vector<std::wstring> items{L"図寸mm", L"実寸mm"};
    return items;
}

const std::vector<std::wstring>& ReferencePointItems() {
    static const std::vector<std::wstring> items{L"左下", L"中下", L"右下", L"左中", L"中中",
                                                 L"右中", L"左上", L"中上", L"右上", L""};
    return items;
}

} // namespace Unit1
