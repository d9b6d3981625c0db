#pragma once
// The text level of a profile: the file's encoding, and texts written in
// quotes so that any value the printer holds reads back as the same bytes.
#include <optional>
#include <string>
#include <string_view>

#include "ansi_codec.h"

namespace velmo {

// UTF-8 with or without a byte order mark, or UTF-16 LE or BE with one, as
// UTF-8 without a mark; nothing for anything else (NUL bytes included).
std::optional<std::string> DecodeProfileBytes(std::string_view bytes);

// Whether a text (in the printer's code page) must be quoted to read back
// unchanged: blanks at either end, a leading quote, control bytes, bytes the
// code page does not turn into UTF-8 and back.
bool TextNeedsQuotes(std::string_view ansi, const AnsiCodec& codec);
// "..." with \\ \" \n \r \t, and \xHH for other control bytes and for every
// non-ASCII byte when the code page cannot carry the text through UTF-8.
std::string QuoteText(std::string_view ansi, const AnsiCodec& codec);
// The same for a text already in UTF-8, taken exactly as it is.
std::string QuoteUtf8Text(std::string_view utf8);

enum class UnquoteError { kNone, kBadQuoting, kCodePage };
// The text between the quotes that start `value`, in the code page; only
// blanks may follow the closing quote.
std::optional<std::string> UnquoteText(std::string_view value, const AnsiCodec& codec, UnquoteError& error);

}  // namespace velmo
