#include "render/diagram_output.h"
#include "support/stations.h"

#include <QByteArray>
#include <QString>
#include <gtest/gtest.h>
#include <regex>

namespace {

// Width and height in millimetres.
using TMillimetres = std::pair<double, double>;

// The diagram's frame, the first path of the picture, in an SVG whose unit is 1/100 mm.
TMillimetres SvgFrame(const std::string& svg) {
    static const std::regex path(R"re(d="M([\d.]+),([\d.]+) L([\d.]+),\2 L\3,([\d.]+) L\1,\4)re");
    std::smatch corners;
    if (!std::regex_search(svg, corners, path))
        return {};
    return {(std::stod(corners[3]) - std::stod(corners[1])) / 100,
            (std::stod(corners[4]) - std::stod(corners[2])) / 100};
}

// The same frame in a PDF: the first rectangle of the page's content, in points after the
// page's scale.
TMillimetres PdfFrame(const std::string& pdf) {
    static const std::regex scale(R"(([\d.]+) 0 0 -([\d.]+) [\d.]+ [\d.]+ cm)");
    static const std::regex path(R"(([\d.]+) ([\d.]+) m\n([\d.]+) \2 l\n\3 ([\d.]+) l\n\1 \4 l\n)");
    for (std::size_t at = pdf.find("stream\n"); at != std::string::npos;
         at = pdf.find("stream\n", at + 1)) {
        const std::size_t begin = at + 7;
        const std::size_t end = pdf.find("endstream", begin);
        if (end == std::string::npos)
            break;
        // qUncompress wants the zlib data behind its expected size.
        QByteArray packed("\x00\x10\x00\x00", 4);
        packed.append(pdf.data() + begin, static_cast<qsizetype>(end - begin));
        const std::string content = qUncompress(packed).toStdString();
        std::smatch factors, corners;
        if (!std::regex_search(content, factors, scale) ||
            !std::regex_search(content, corners, path))
            continue;
        const double millimetresPerUnit = std::stod(factors[1]) * 25.4 / 72;
        return {(std::stod(corners[3]) - std::stod(corners[1])) * millimetresPerUnit,
                (std::stod(corners[4]) - std::stod(corners[2])) * millimetresPerUnit};
    }
    return {};
}

// The frame of the diagram area is 195 mm by 135 mm, half of that in the small size, in every
// true-size file.
TEST(DiagramOutputTest, TrueSizeFilesHaveTheExactFrame) {
    const TDiagramData station =
        MakeStation("Berlin/Deutschland", {-1, 0, 4, 9, 14, 17, 19, 18, 14, 9, 4, 1},
                    {43, 38, 38, 43, 56, 71, 53, 66, 46, 36, 51, 56});
    const TDiagramContent content{&station, NegativeSteps(station)};
    for (const bool large : {true, false}) {
        TTvxConfig settings;
        settings.LargeSizeOutput = large;
        const double width = large ? 195 : 97.5;
        const double height = large ? 135 : 67.5;

        const auto [svgWidth, svgHeight] =
            SvgFrame(DiagramOutput::SvgPicture(settings, content).toStdString());
        EXPECT_NEAR(svgWidth, width, 0.05) << "large " << large;
        EXPECT_NEAR(svgHeight, height, 0.05) << "large " << large;
        const QByteArray pdf = DiagramOutput::PdfDocument(settings, content);
        // A complete document, with the end of file mark.
        EXPECT_TRUE(pdf.trimmed().endsWith("%%EOF"));
        const auto [pdfWidth, pdfHeight] = PdfFrame(pdf.toStdString());
        EXPECT_NEAR(pdfWidth, width, 0.05) << "large " << large;
        EXPECT_NEAR(pdfHeight, height, 0.05) << "large " << large;
    }
}

} // namespace
