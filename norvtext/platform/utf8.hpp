// UTF-8 at the edges: texts are UTF-16 inside the library and UTF-8 in files, on the
// command line and in scripts. Two readings of each direction, for two kinds of caller.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace norvtext {

// Exact conversions, for data that must read back as it was written (form files): a text
// is either converted whole or refused, never changed on the way.
//
// Strict UTF-8 (no overlong forms, no surrogates, nothing above U+10FFFF) to UTF-16;
// nothing when the bytes are not UTF-8.
std::optional<std::u16string> from_utf8_exact(std::string_view text);
// UTF-16 to UTF-8; nothing when the text holds an unpaired surrogate, which UTF-8 cannot carry.
std::optional<std::string> to_utf8_exact(std::u16string_view text);
// True when from_utf8_exact reads the bytes.
bool is_utf8(std::string_view text);

// Replacing conversions, for text a person wrote or reads (a script line, printed output):
// they always give an answer, putting U+FFFD where a character cannot be carried.
//
// UTF-8 to UTF-16. A byte that starts no sequence (a stray continuation byte, a sequence cut
// short, a surrogate, anything above U+10FFFF) becomes one U+FFFD and the reading goes on at
// the next byte. An overlong form still spells one character and is read as that character:
// this reading never refuses a text, it only replaces what spells nothing.
std::u16string from_utf8(std::string_view text);
// UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string to_utf8(std::u16string_view text);

}  // namespace norvtext
