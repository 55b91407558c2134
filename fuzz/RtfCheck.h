#pragma once
// What the RTF writer's output must be, for the targets that produce documents: the text of
// a run decoded under the escaping rules, and the well-formedness of a whole document.

#include "FuzzCheck.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace fuzz {

// The bytes the writer escapes as \'hh: every byte above 0x7F, letters and signs alike,
// so that the file is seven-bit and read by the code page its header declares.
inline bool InEscapedSet(unsigned char b) {
    return b >= 0x80;
}

inline int Hex(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// The escaped text of a run back into bytes; a violation of the escaping rules fails.
inline std::string Unescape(std::string_view t) {
    std::string out;
    int blanks = 0; // length of the run of blanks decoded so far
    for (std::size_t i = 0; i < t.size(); ++i) {
        const auto b = static_cast<unsigned char>(t[i]);
        if (b == '{' || b == '}')
            Fail("a raw brace in a run", t);
        Check(!InEscapedSet(b), "a raw byte of the escaped set in a run", t);
        if (b == ' ') {
            Check(blanks % 2 == 0, "two ordinary blanks in a row in a run", t);
            ++blanks;
            out += ' ';
            continue;
        }
        if (b != '\\') {
            blanks = 0;
            out += static_cast<char>(b);
            continue;
        }
        Check(i + 1 < t.size(), "a run ends in a lone backslash", t);
        const char next = t[++i];
        if (next == '~') {
            Check(blanks % 2 == 1, "a non-breaking blank out of turn in a run", t);
            ++blanks;
            out += ' ';
            continue;
        }
        blanks = 0;
        if (next == '\\' || next == '{' || next == '}') {
            out += next;
        } else if (next == '\'') {
            Check(i + 2 < t.size() && Hex(t[i + 1]) >= 0 && Hex(t[i + 2]) >= 0,
                  "a hexadecimal escape without two small hex digits", t);
            const auto byte = static_cast<unsigned char>(Hex(t[i + 1]) * 16 + Hex(t[i + 2]));
            Check(InEscapedSet(byte), "a byte outside the escaped set written as hex", t);
            out += static_cast<char>(byte);
            i += 2;
        } else {
            Fail("an unknown escape in a run", t);
        }
    }
    return out;
}

// The whole document: controls, groups and raw bytes.
inline void CheckDocument(const std::string& doc) {
    Check(doc.rfind("{\\rtf1\\ansi\\ansicpg1251\\", 0) == 0,
          "a document not starting with {\\rtf1\\ansi\\ansicpg1251", doc);
    int depth = 0;
    for (std::size_t i = 0; i < doc.size(); ++i) {
        const auto b = static_cast<unsigned char>(doc[i]);
        if (b == '{') {
            ++depth;
        } else if (b == '}') {
            --depth;
            Check(depth >= 0, "a closing brace without its group", doc.substr(0, i + 1));
            if (depth == 0)
                Check(doc.substr(i + 1) == "\r\n", "text after the document's closing brace",
                      doc.substr(i));
        } else if (b == '\\') {
            Check(i + 1 < doc.size(), "the document ends in a backslash");
            const char next = doc[i + 1];
            if ((next >= 'a' && next <= 'z')) {
                ++i;
                while (i + 1 < doc.size() && doc[i + 1] >= 'a' && doc[i + 1] <= 'z')
                    ++i;
                if (i + 1 < doc.size() && doc[i + 1] == '-')
                    ++i;
                while (i + 1 < doc.size() && doc[i + 1] >= '0' && doc[i + 1] <= '9')
                    ++i;
                if (i + 1 < doc.size() && doc[i + 1] == ' ')
                    ++i; // the delimiter belongs to the control word
            } else if (next == '\'') {
                Check(i + 3 < doc.size() && Hex(doc[i + 2]) >= 0 && Hex(doc[i + 3]) >= 0,
                      "a bad hexadecimal escape in the document", doc.substr(i, 4));
                i += 3;
            } else if (next == '\\' || next == '{' || next == '}' || next == '~') {
                ++i;
            } else {
                Fail("a backslash that starts no control", doc.substr(i, 8));
            }
        } else {
            Check(!InEscapedSet(b), "a raw byte of the escaped set in the document",
                  doc.substr(i > 16 ? i - 16 : 0, 32));
        }
    }
    Check(depth == 0, "unbalanced braces in the document");
}

} // namespace fuzz
