// Windows only: conversion between this program's UTF-8 strings and the
// system's UTF-16 (file names, console, the wide API). Defined in text_win.cpp.
#pragma once

#include <string>

namespace quintaro {

// Invalid UTF-8 becomes U+FFFD.
std::wstring Widen(const std::string& utf8);
// Unpaired surrogates become U+FFFD.
std::string Narrow(const std::wstring& utf16);

}  // namespace quintaro
