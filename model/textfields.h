#pragma once

// The text fields of "Global Settings (2)": ANI ID and keypad edit password.

#include "memmap.h"
#include "textfieldedit.h"

#include <string>

// Seven upper-case hexadecimal digits.
std::string GetANIID(const MemMapImage &mm);
// Upper case, the last 7 characters, anything but 0-9 and A-F becomes F.
std::string ValidateANIID(const std::string &text);
// Shorter texts are padded on the left with F.
void SetANIID(MemMapImage &mm, const std::string &text);

// Six digits (hexadecimal, should the bytes not be decimal).
std::string GetKeypadPwd(const MemMapImage &mm);
// Padded on the left with 0 to the last 6 characters; anything but 1-9 becomes 0.
std::string ValidateKeypadPwd(const std::string &text);
void SetKeypadPwd(MemMapImage &mm, const std::string &text);

TextFieldEdit EditANIID(MemMapImage &mm, const std::string &text);
TextFieldEdit EditKeypadPwd(MemMapImage &mm, const std::string &text);
