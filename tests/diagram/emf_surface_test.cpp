#include "diagram/diagram_drawing.h"
#include "diagram/emf_surface.h"
#include "support/stations.h"
#include "support/temp_dir.h"

#include <cstring>
#include <gtest/gtest.h>
#include <uemf.h>
#include <uemf_safe.h>

namespace {

std::uint32_t Word32(const std::string& bytes, std::size_t offset) {
    std::uint32_t value = 0;
    std::memcpy(&value, bytes.data() + offset, 4);
    return value;
}

struct TRecord {
    std::uint32_t Type;
    std::uint32_t Size;
    std::size_t Offset;
};

// Walks the records, checking each as strictly as libUEMF's reader does.
std::vector<TRecord> Records(const std::string& bytes) {
    std::vector<TRecord> records;
    for (std::size_t offset = 0; offset + 8 <= bytes.size();) {
        const TRecord record{Word32(bytes, offset), Word32(bytes, offset + 4), offset};
        EXPECT_GE(record.Size, 8u);
        EXPECT_EQ(record.Size % 4, 0u);
        EXPECT_LE(offset + record.Size, bytes.size());
        EXPECT_TRUE(U_emf_record_safe(bytes.data() + offset)) << "record type " << record.Type;
        records.push_back(record);
        if (record.Size < 8)
            break;
        offset += record.Size;
    }
    return records;
}

std::string Metafile(const TTvxConfig& settings, const TDiagramContent& content) {
    const TDiagramRendering rendering = TDiagramRendering::Output(settings);
    TEmfSurface surface(
        TDiagramLayout(settings, rendering.ScaleDivisor).PictureSize(content.Comparing()));
    DrawPicture(surface, rendering, content);
    return surface.Finish();
}

const TDiagramData Station = MakeStation(
    "Köln/Deutschland", {2.4, 3.1, 6.2, 9.6, 13.7, 16.5, 18.3, 17.8, 14.3, 10.2, 6.2, 3.4},
    {62.1, 51.4, 64.3, 53.8, 71.1, 86.8, 89.2, 76.2, 64, 67.9, 70.3, 74.3});

TEST(EmfSurfaceTest, HeaderTotalsMatchTheFile) {
    const std::string bytes = Metafile(TTvxConfig(), {&Station, NegativeSteps(Station)});
    const auto records = Records(bytes);
    ASSERT_GE(records.size(), 3u);
    EXPECT_EQ(records.front().Type, 1u);
    EXPECT_EQ(records.front().Size, 108u);
    EXPECT_EQ(records.back().Type, 14u);
    EXPECT_EQ(Word32(bytes, 40), 0x464D4520u); // " EMF"
    EXPECT_EQ(Word32(bytes, 44), 0x10000u);
    EXPECT_EQ(Word32(bytes, 48), bytes.size());
    EXPECT_EQ(Word32(bytes, 52), records.size());
    // Frame: the picture in 1/100 mm.
    EXPECT_EQ(Word32(bytes, 24 + 8), 19699u);
    EXPECT_EQ(Word32(bytes, 24 + 12), 13699u);
    // Handles: one more than the highest object slot used.
    std::uint32_t highest = 0;
    for (const TRecord& record : records)
        if (record.Type == 38 || record.Type == 39 || record.Type == 82 || record.Type == 95)
            highest = std::max(highest, Word32(bytes, record.Offset + 8));
    EXPECT_EQ(static_cast<std::uint8_t>(bytes[56]) | static_cast<std::uint8_t>(bytes[57]) << 8,
              highest + 1);
}

TEST(EmfSurfaceTest, TextCarriesWindowsAdvancesAndFontsTheFullRecord) {
    const std::string bytes = Metafile(TTvxConfig(), {&Station, NegativeSteps(Station)});
    int fonts = 0;
    int texts = 0;
    for (const TRecord& record : Records(bytes)) {
        if (record.Type == 82) {
            EXPECT_EQ(record.Size, 332u);
            ++fonts;
        }
        if (record.Type == 84) {
            const std::uint32_t characters = Word32(bytes, record.Offset + 44);
            const std::uint32_t advances = Word32(bytes, record.Offset + 72);
            EXPECT_EQ(advances, 76 + (2 * characters + 3) / 4 * 4);
            EXPECT_GT(Word32(bytes, record.Offset + advances), 0u);
            ++texts;
        }
    }
    EXPECT_EQ(fonts, 5);
    EXPECT_GT(texts, 40);
}

TEST(EmfSurfaceTest, MetricsAreThoseOfTheWindowsFaces) {
    TEmfSurface surface({100, 100});
    const auto courier = surface.CreateFont({"Courier New", -450, 0, 400, FixedPitch});
    surface.Select(courier);
    const TTextMetrics metrics = surface.TextMetrics();
    EXPECT_EQ(metrics.Ascent, 375); // 450 * 1705 / 2048
    EXPECT_EQ(metrics.Height, 510); // and 135 below
    EXPECT_EQ(metrics.InternalLeading, 60);
    const auto arial = surface.CreateFont({"Arial", -600, 0, 400, VariablePitch});
    surface.Select(arial);
    EXPECT_EQ(surface.TextMetrics().Ascent, 543);
    EXPECT_EQ(surface.TextMetrics().Height, 670);
}

// The Debian tool emf2svg-conv is the strictest of the readers: it parses every record.
TEST(EmfSurfaceTest, Emf2svgConvertsComparisonsInBlackAndWhite) {
    if (std::system("command -v emf2svg-conv >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "emf2svg-conv is not installed";
    TTvxConfig settings;
    settings.LargeSizeOutput = false;
    const TDiagramData south =
        MakeStation("Süd", {25, 24, 22, 18, 14, 11, 10, 12, 15, 18, 21, 24},
                    {100, 110, 120, 80, 60, 40, 30, 35, 50, 70, 90, 100}, false);
    const std::string bytes =
        Metafile(settings, {&Station, NegativeSteps(Station), &south, NegativeSteps(south), true});
    TTempDir dir;
    TTempDir::Write(dir.File("x.emf"), bytes);
    const std::string command = "emf2svg-conv -i '" + dir.File("x.emf") + "' -o '" +
                                dir.File("x.svg") + "' >/dev/null 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0);
    EXPECT_NE(TTempDir::Read(dir.File("x.svg")).find("<svg"), std::string::npos);
}

} // namespace
