// Writes the advance widths of the 256 Windows-1251 bytes in a regular and a bold TrueType
// font, the kerning of every pair of them, and the regular font's vertical metrics, as the
// C++ header that the blank's fit measure reads. The widths and the kerning are those that
// HarfBuzz shapes, as the word processor does; the vertical metrics are read by FreeType.
// Run by scripts/make-font-metrics.sh; the result is committed, so that neither a build nor
// a test needs FreeType, HarfBuzz or the font.
//
// Usage: MakeFontMetrics REGULAR.ttf BOLD.ttf > header

#include "platform/Cp1251.h"

#include <hb-ot.h>
#include <hb.h>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <cstdio>
#include <string>
#include <vector>

namespace {

struct TFace {
    FT_Face Face = nullptr;
    hb_font_t* Font = nullptr; // scaled to font units
    std::string Name;
};

TFace Open(FT_Library library, const char* path) {
    TFace f;
    if (FT_New_Face(library, path, 0, &f.Face) != 0) {
        std::fprintf(stderr, "MakeFontMetrics: cannot open %s\n", path);
        std::exit(1);
    }
    f.Name = std::string(f.Face->family_name) + " " + f.Face->style_name;
    hb_blob_t* blob = hb_blob_create_from_file(path);
    hb_face_t* face = hb_face_create(blob, 0);
    f.Font = hb_font_create(face);
    hb_font_set_scale(f.Font, static_cast<int>(hb_face_get_upem(face)),
                      static_cast<int>(hb_face_get_upem(face)));
    hb_face_destroy(face);
    hb_blob_destroy(blob);
    return f;
}

bool Printable(int b) {
    return b >= 0x20 && b != 0x7F && b != 0x98;
}

// The advances HarfBuzz gives the characters of `bytes`, shaped as one run with the font's
// default features (kerning among them).
std::vector<hb_position_t> Shaped(const TFace& f, const std::vector<int>& bytes) {
    hb_buffer_t* buffer = hb_buffer_create();
    for (std::size_t i = 0; i < bytes.size(); ++i)
        hb_buffer_add(buffer, platform::Cp1251ToUnicode(static_cast<unsigned char>(bytes[i])),
                      static_cast<unsigned>(i));
    hb_buffer_set_content_type(buffer, HB_BUFFER_CONTENT_TYPE_UNICODE);
    hb_buffer_guess_segment_properties(buffer);
    hb_shape(f.Font, buffer, nullptr, 0);
    unsigned count = 0;
    const hb_glyph_position_t* pos = hb_buffer_get_glyph_positions(buffer, &count);
    std::vector<hb_position_t> out;
    for (unsigned i = 0; i < count; ++i)
        out.push_back(pos[i].x_advance);
    hb_buffer_destroy(buffer);
    if (out.size() != bytes.size()) {
        std::fprintf(stderr, "MakeFontMetrics: a pair shaped into %zu glyphs\n", out.size());
        std::exit(1);
    }
    return out;
}

struct TKern {
    int First, Second, Units;
};

// The pairs whose shaped advances differ from the two advances alone.
std::vector<TKern> Kerning(const TFace& f, const std::vector<long>& advances) {
    std::vector<TKern> out;
    for (int a = 0; a < 256; ++a)
        for (int b = 0; b < 256; ++b) {
            if (!Printable(a) || !Printable(b))
                continue;
            const std::vector<hb_position_t> pair = Shaped(f, {a, b});
            const long kern = pair[0] + pair[1] - advances[static_cast<std::size_t>(a)] -
                              advances[static_cast<std::size_t>(b)];
            if (kern != 0)
                out.push_back({a, b, static_cast<int>(kern)});
        }
    return out;
}

void PrintKerning(const char* name, const std::vector<TKern>& kerning) {
    std::printf("// (first byte << 8 | second byte, units), in ascending order of the pair.\n");
    std::printf("inline constexpr std::array<TKernPair, %zu> %s = {{\n", kerning.size(), name);
    for (const TKern& k : kerning)
        std::printf("    {0x%02X%02X, %d},\n", k.First, k.Second, k.Units);
    std::printf("}};\n");
}

// The advance in font units of each byte's character shaped alone; a character the font
// lacks is drawn with its glyph 0, and a control character takes no room.
std::vector<long> Advances(const TFace& f) {
    std::vector<long> out(256, 0);
    for (int b = 0; b < 256; ++b)
        if (Printable(b))
            out[static_cast<std::size_t>(b)] = Shaped(f, {b})[0];
    return out;
}

void PrintTable(const char* name, const std::vector<long>& advances) {
    std::printf("inline constexpr std::array<std::uint16_t, 256> %s = {{\n", name);
    for (int row = 0; row < 32; ++row) {
        std::printf("    ");
        for (int col = 0; col < 8; ++col) {
            const int b = row * 8 + col;
            std::printf("%ld,%s", advances[static_cast<std::size_t>(b)], col == 7 ? "" : " ");
        }
        std::printf(" // %02X\n", row * 8);
    }
    std::printf("}};\n");
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: MakeFontMetrics REGULAR.ttf BOLD.ttf\n");
        return 64;
    }
    FT_Library library;
    if (FT_Init_FreeType(&library) != 0)
        return 1;
    const TFace regular = Open(library, argv[1]);
    const TFace bold = Open(library, argv[2]);
    const auto* hhea =
        static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(regular.Face, FT_SFNT_HHEA));
    const auto* head = static_cast<const TT_Header*>(FT_Get_Sfnt_Table(regular.Face, FT_SFNT_HEAD));
    if (!hhea || !head)
        return 1;

    std::printf("#pragma once\n");
    std::printf("// Made by scripts/make-font-metrics.sh from %s and %s (fonts-liberation\n"
                "// @VERSION@); do not edit.\n",
                regular.Name.c_str(), bold.Name.c_str());
    std::printf("// Advance widths in font units of the 256 Windows-1251 bytes.\n\n");
    std::printf("#include <array>\n#include <cstdint>\n\nnamespace font_metrics {\n\n");
    std::printf("inline constexpr int UnitsPerEm = %u;\n", head->Units_Per_EM);
    std::printf("// hhea: the line of a word processor is ascender + descender + line gap.\n");
    std::printf("inline constexpr int Ascender = %d;\n", hhea->Ascender);
    std::printf("inline constexpr int Descender = %d;\n", -hhea->Descender);
    std::printf("inline constexpr int LineGap = %d;\n\n", hhea->Line_Gap);
    const std::vector<long> regularAdvances = Advances(regular);
    const std::vector<long> boldAdvances = Advances(bold);
    PrintTable("RegularAdvance", regularAdvances);
    std::printf("\n");
    PrintTable("BoldAdvance", boldAdvances);
    std::printf("\nstruct TKernPair {\n    std::uint16_t Pair;\n    std::int16_t Units;\n};\n\n");
    PrintKerning("RegularKerning", Kerning(regular, regularAdvances));
    std::printf("\n");
    PrintKerning("BoldKerning", Kerning(bold, boldAdvances));
    std::printf("\n} // namespace font_metrics\n");
    hb_font_destroy(regular.Font);
    hb_font_destroy(bold.Font);
    FT_Done_Face(regular.Face);
    FT_Done_Face(bold.Face);
    FT_Done_FreeType(library);
    return 0;
}
