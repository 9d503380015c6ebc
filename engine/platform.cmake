# SPDX-FileCopyrightText: The Tallimo authors
# SPDX-License-Identifier: GPL-3.0-or-later

# Checks of what the engine needs from the compiler and the C library; platform.h and value.h are
# the only sources that depend on them.
include(CheckCXXSourceCompiles)
include(CheckCXXSourceRuns)
include(CheckSymbolExists)

# Every value is an x87 extended number with a 64-bit mantissa. GCC and MinGW-w64 have it as
# long double on x86; MSVC's long double is the 64-bit double.
check_cxx_source_compiles([[
  #include <limits>
  static_assert(std::numeric_limits<long double>::digits == 64, "");
  int main() { return 0; }
]] TALLIMO_HAVE_EXTENDED_LONG_DOUBLE)
if(NOT TALLIMO_HAVE_EXTENDED_LONG_DOUBLE)
  message(FATAL_ERROR "Tallimo computes in 80-bit extended precision and needs a long double "
    "with a 64-bit mantissa: GCC or Clang on x86/x86-64, or MinGW-w64 on Windows (MSVC's long "
    "double has 53 bits).")
endif()

# Reading numbers independently of the process's locale.
check_symbol_exists(newlocale "locale.h" TALLIMO_HAVE_NEWLOCALE)
set(CMAKE_REQUIRED_DEFINITIONS -D_GNU_SOURCE)
check_symbol_exists(strtold_l "stdlib.h" TALLIMO_HAVE_STRTOLD_L_SYMBOL)
unset(CMAKE_REQUIRED_DEFINITIONS)
if(TALLIMO_HAVE_NEWLOCALE AND TALLIMO_HAVE_STRTOLD_L_SYMBOL)
  set(TALLIMO_HAVE_STRTOLD_L 1)
else()
  set(TALLIMO_HAVE_STRTOLD_L 0)
endif()

# 128-bit integers for the quick path of number texts.
check_cxx_source_compiles([[
  int main() { unsigned __int128 x = 1; x <<= 100; return static_cast<int>(x >> 127); }
]] TALLIMO_HAVE_INT128_CHECK)
if(TALLIMO_HAVE_INT128_CHECK)
  set(TALLIMO_HAVE_INT128 1)
else()
  set(TALLIMO_HAVE_INT128 0)
endif()

# Number texts take the exact leading digits from printf under rounding toward zero; a C library
# whose printf ignores the rounding mode would round the sixteenth digit instead.
if(NOT CMAKE_CROSSCOMPILING)
  check_cxx_source_runs([[
    #include <cfenv>
    #include <cstdio>
    #include <cstring>
    int main()
    {
        char text[64];
        std::fesetround(FE_TOWARDZERO);
        std::snprintf(text, sizeof text, "%.2Le", 2.0L / 3.0L);
        return std::strncmp(text, "6.66e-01", 8) == 0 ? 0 : 1;
    }
  ]] TALLIMO_PRINTF_HONOURS_ROUNDING)
  if(NOT TALLIMO_PRINTF_HONOURS_ROUNDING)
    message(FATAL_ERROR "The C library's printf ignores the rounding mode, which number texts "
      "need for their exact leading digits: engine/platform.cpp, TruncatedDigits, must get them "
      "another way on this platform.")
  endif()
else()
  message(STATUS "Cross-compiling: whether printf honours the rounding mode is left to the "
    "number text tests on the target")
endif()
