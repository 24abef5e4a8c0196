#pragma once

#include <string>
#include <string_view>

// The stored bytes of a Jet 4 text or memo value as UTF-8. Jet 4 keeps text as UTF-16LE, or in its
// "compressed" form: the marker FF FE, then runs of one-byte characters (U+0000..U+00FF) and of
// UTF-16LE characters, each 00 byte switching between the two. libmdb's own converter goes through
// UCS-2 and turns every character outside the Basic Multilingual Plane into '?', so the reader
// decodes the bytes itself. A lone surrogate becomes U+FFFD instead of failing the row.
std::string jetTextToUtf8(std::string_view stored);
