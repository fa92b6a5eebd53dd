// Pieces of text that a linguistic comparison calls equal to other bytes, for
// the randomized tests of the search: in single-byte code pages, in 932 and in
// UTF-8.
#pragma once

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace findtest {

struct TAlphabet {
  // Pieces the texts are made of: characters, some of them in pairs.
  std::vector<std::string> Pieces;
  // Texts of one length that the locale may call equal (or nearly), each
  // put in the place of the other in find texts.
  std::vector<std::pair<std::string, std::string>> Twins;
};

inline const std::string kNul(1, '\0');

inline TAlphabet AlphabetLatin() {
  return {{"a",    "A",    "e",    "s",    "S",    "t",    "h",    "o",    "ss",   "ae",
           "oe",   "th",   "\xDF", "\xE6", "\xC6", "\x9C", "\x8C", "\xFE", "\xDE", "\xAD",
           kNul,   "-",    "'",    " ",    "\r\n", "\x01", "\x7F", "\xE9", "\xC9", "\x81",
           "\xA0", "\xB2", "2",    "\xBD", "\x85", "...",  "\x99", "TM",   "\x8A", "\xFF",
           "\x96", "aa",   "\xE5", "c",    "ch",   "cs",   "dzs",  "ly",   "sz",   "z"},
          {{"ss", "\xDF\xAD"},
           {"ae", std::string("\xE6") + kNul},
           {"AE", "\xC6\xAD"},
           {"oe", "\x9C\xAD"},
           {"th", std::string("\xFE") + kNul},
           {"a", "A"},
           {"e", "\xE9"},
           {"...", "\x85\xAD\xAD"},
           {"TM", std::string("\x99") + kNul},
           {"s", "\xAD"},
           {"aa", std::string("\xE5") + kNul},
           {"ccs" + kNul, "cscs"}}};
}

inline TAlphabet Alphabet932() {
  const std::string fullA = "\x82\x60", fullSmallA = "\x82\x81", fullZero = "\x82\x4F",
                    halfA = "\xB1", halfKa = "\xB6", voiced = "\xDE", semiVoiced = "\xDF",
                    halfLong = "\xB0", kataA = "\x83\x41", kataKa = "\x83\x4A", kataGa = "\x83\x4B",
                    hiraA = "\x82\xA0", hiraKa = "\x82\xA9", longMark = "\x81\x5B",
                    repeatHira = "\x81\x54", repeatKata = "\x81\x52", repeatKanji = "\x81\x58",
                    kanji1 = "\x8A\xBF", kanji2 = "\x8E\x9A", space = "\x81\x40",
                    company = "\x87\x8D", numero = "\x87\x82";
  return {{"a",        "A",        "k",        "0",         "-",    " ",    kNul,
           "\r\n",     fullA,      fullSmallA, fullZero,    halfA,  halfKa, voiced,
           semiVoiced, halfLong,   kataA,      kataKa,      kataGa, hiraA,  hiraKa,
           longMark,   repeatHira, repeatKata, repeatKanji, kanji1, kanji2, space,
           company,    numero,     "\x88",     "\x9F",      "No"},
          {{"A" + kNul, fullA},
           {"a" + kNul, fullSmallA},
           {"0" + kNul, fullZero},
           {halfA + kNul, kataA},
           {halfKa + voiced, kataGa},
           {kataA, hiraA},
           {kataKa + longMark, kataKa + kataA},
           {hiraKa + repeatHira, hiraKa + hiraKa},
           {"No", numero},
           {kanji1 + kNul, kNul + kanji1},
           {"a" + kNul, kNul + "a"},
           {"a", "A"}}};
}

// In UTF-8: letters whose other case has another length (U+023A and U+2C65,
// the Kelvin sign and k), ignorable characters (the soft hyphen, the
// zero-width joiner, NUL), combining marks after letters, expansions,
// characters outside the basic plane, kana marks that take the weights of the
// kana before them, Hangul jamo that join, and bytes that are no character: a
// lone continuation byte, sequences cut short (which Windows may read together
// with the bytes after them), an overlong form, an encoded surrogate.
inline TAlphabet AlphabetUtf8() {
  const std::string kelvin = "\xE2\x84\xAA", barA = "\xC8\xBA", smallBarA = "\xE2\xB1\xA5",
                    softHyphen = "\xC2\xAD", joiner = "\xE2\x80\x8D", acute = "\xCC\x81",
                    ring = "\xCC\x8A", eAcute = "\xC3\xA9", capitalEAcute = "\xC3\x89",
                    aRing = "\xC3\xA5", angstrom = "\xE2\x84\xAB", sharpS = "\xC3\x9F",
                    capitalSharpS = "\xE1\xBA\x9E", ohm = "\xE2\x84\xA6", omega = "\xCF\x89",
                    ae = "\xC3\xA6", emoji = "\xF0\x9F\x98\x80", deseret = "\xF0\x90\x90\x80",
                    smallDeseret = "\xF0\x90\x90\xA8", hiraKa = "\xE3\x81\x8B",
                    kataKa = "\xE3\x82\xAB", repeat = "\xE3\x82\x9D", longMark = "\xE3\x83\xBC",
                    voicedMark = "\xE3\x82\x99", kanji = "\xE6\xBC\xA2", jamoG = "\xE1\x84\x80",
                    jamoA = "\xE1\x85\xA1", hangulGa = "\xEA\xB0\x80";
  TAlphabet alphabet;
  alphabet.Pieces = {"a", "A", "e",  "E",  "k", "K", "s",    "S", "t",
                     "h", "o", "ss", "ae", "-", " ", "\r\n", kNul};
  const std::vector<std::string> more[] = {
      {kelvin, barA, smallBarA, softHyphen, joiner, acute, ring, "a" + acute, "k" + joiner},
      {eAcute, capitalEAcute, aRing, angstrom, sharpS, capitalSharpS, ohm, omega, ae},
      {emoji, deseret, smallDeseret, hiraKa, kataKa, repeat, longMark, voicedMark, kanji},
      {jamoG, jamoA, hangulGa},
      {"\x80", "\xBF", "\xE3\x81", "\xC0\xAF", "\xED\xA0\x80", "\xF5", "\xFF", "\xF0\x9F\x98"},
      {"\xE6", "\xC3", "\xF0"}};
  for (const std::vector<std::string>& pieces : more)
    alphabet.Pieces.insert(alphabet.Pieces.end(), pieces.begin(), pieces.end());
  alphabet.Twins = {{"k", kelvin},
                    {"K", kelvin},
                    {barA, smallBarA},
                    {"e" + acute, eAcute},
                    {"E" + acute, capitalEAcute},
                    {"a" + ring, aRing},
                    {aRing, angstrom},
                    {"ss", sharpS},
                    {sharpS, capitalSharpS},
                    {ohm, omega},
                    {"ae", ae},
                    {"a", "A"},
                    {"a" + softHyphen, "a"},
                    {"s", "s" + joiner},
                    {deseret, smallDeseret},
                    {hiraKa, kataKa},
                    {hiraKa + repeat, hiraKa + hiraKa},
                    {softHyphen, "\x80"},
                    {jamoG + jamoA, hangulGa}};
  return alphabet;
}

inline std::string Hex(const std::string& text) {
  std::string hex;
  for (unsigned char c : text) {
    char digits[4];
    std::snprintf(digits, sizeof digits, "%02X ", c);
    hex += digits;
  }
  return hex;
}

} // namespace findtest
