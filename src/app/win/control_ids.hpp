// Unit1: the numeric identifiers of TForm1's controls, sorted. OK and Cancel
// carry the standard IDOK and IDCANCEL values so that the dialog keyboard
// handling (Enter, Escape) reaches them without further mapping.
#pragma once

namespace Unit1 {

enum TControlId : int {
    kIdButton1 = 1, // IDOK
    kIdButton2 = 2, // IDCANCEL
    kIdComboBox1 = 101,
    kIdComboBox2 = 102,
    kIdComboBox3 = 103,
    kIdComboBox4 = 104,
    kIdComboBox5 = 105,
    kIdEdit1 = 111,
    kIdEdit2 = 112,
    kIdEdit3 = 113,
    kIdEdit4 = 114,
    kIdLabel1 = 121,
    kIdLabel2 = 122,
    kIdLabel3 = 123,
    kIdLabel4 = 124,
    kIdLabel5 = 125,
    kIdLabel6 = 126,
    kIdLabel7 = 127,
    kIdLabel9 = 129,
    kIdLabel10 = 130,
    kIdLabelA1 = 140,
    kIdMemo1 = 150,
};

} // namespace Unit1
