#include "database/record_stream.h"
#include "model/windows1252.h"
#include "support/printers.h"
#include "support/stream_bytes.h"

#include <gtest/gtest.h>

namespace {

using namespace Windows1252::Literals;
using Math::Tenths;

TDiagramData Record(const char* name, TDiagramData::TCoords coords, long altitude,
                    const TDiagramData::TMonthValues& temperatures,
                    const TDiagramData::TMonthValues& precipitation) {
    TDiagramData record;
    record.SetPlace(TDiagramData::TPlace(name));
    record.SetCoords(coords);
    record.SetAltitude(TDiagramData::TAltitude(altitude));
    record.SetTemperatures(TDiagramData::TTemperatureData(temperatures));
    record.SetPrecipitation(TDiagramData::TPrecipitationData(precipitation));
    return record;
}

TDiagramData::TMonthValues Tenths12(std::initializer_list<std::int64_t> tenths) {
    TDiagramData::TMonthValues values{};
    std::size_t month = 0;
    for (const auto t : tenths)
        values.at(month++) = Tenths::FromUnits(t);
    return values;
}

// Reads one record from the stream bytes; the reader's state tells whether it was whole.
struct TReadResult {
    std::optional<TDiagramData> Record;
    bool Good;
};

// A string as the stream frames it: its length, then its bytes.
std::string Framed(std::string_view text) {
    TStreamBytes bytes;
    bytes.Bytes.clear();
    return bytes.String(text).Bytes;
}

TReadResult ReadOne(const std::string& bytes) {
    TObjectReader in(bytes);
    auto record = TDiagramData::Streamer::Read(in);
    return {std::move(record), in.Good()};
}

TEST(RecordStreamWriteTest, WritesVersion3FramesByteForByte) {
    const TDiagramData berlin =
        Record("Berlin/Deutschland", {52, 31, 13, 24, true, false}, 49,
               Tenths12({-5, 10, 45, 90, 140, 170, 190, 180, 145, 95, 45, 10}),
               Tenths12({420, 330, 410, 400, 550, 700, 520, 580, 460, 360, 460, 550}));
    TObjectWriter out;
    TDiagramData::Streamer::Write(out, berlin);

    TStreamBytes expected;
    expected.Begin("TDiagramData", 3);
    expected.Begin("TDiagramData::TPlace", 3).String("Berlin/Deutschland").End();
    expected.Begin("TDiagramData::TCoords", 3).String("52").String("31").String("13").String("24");
    expected.Word32(1).Word32(0).End();
    expected.Begin("TDiagramData::TAltitude", 3).String("49").End();
    expected.Begin("TDiagramData::TTemperatureData", 3);
    for (const char* t :
         {"-0.5", "1.0", "4.5", "9.0", "14.0", "17.0", "19.0", "18.0", "14.5", "9.5", "4.5", "1.0"})
        expected.String(t);
    expected.End().Begin("TDiagramData::TPrecipitationData", 3);
    for (const char* p : {"42.0", "33.0", "41.0", "40.0", "55.0", "70.0", "52.0", "58.0", "46.0",
                          "36.0", "46.0", "55.0"})
        expected.String(p);
    expected.End().End();
    EXPECT_EQ(out.Bytes(), expected.Bytes);
}

TEST(RecordStreamWriteTest, WrittenRecordReadsBackIdentical) {
    const TDiagramData koeln =
        Record("Köln/Deutschland"_cp1252, {50, 56, 6, 57, true, false}, 37,
               Tenths12({24, 31, 62, 96, 137, 165, 183, 178, 143, 102, 62, 34}),
               Tenths12({621, 514, 643, 538, 711, 868, 892, 762, 640, 679, 703, 743}));
    TObjectWriter out;
    TDiagramData::Streamer::Write(out, koeln);
    for (const char* text : {"50", "56", "6", "57", "37", "2.4", "89.2"})
        EXPECT_NE(out.Bytes().find(Framed(text)), std::string::npos) << text;

    const TReadResult read = ReadOne(out.Bytes());
    ASSERT_TRUE(read.Good);
    ASSERT_TRUE(read.Record);
    EXPECT_TRUE(read.Record->IsIdentical(koeln)) << testing::PrintToString(*read.Record);
    EXPECT_FALSE(read.Record->IsChanged());
    EXPECT_FALSE(read.Record->IsDisplayed());
}

TEST(RecordStreamReadTest, EveryClassVersionAndStreamVersionReads) {
    for (const std::optional<std::uint32_t> streamVersion :
         {std::optional<std::uint32_t>(), std::optional<std::uint32_t>(0x0100),
          std::optional<std::uint32_t>(0x0101)})
        for (std::uint32_t classVersion = 1; classVersion <= 3; ++classVersion) {
            // Streams without class versions come from the time of the first layout.
            if (!streamVersion && classVersion > 1)
                continue;
            TStreamBytes bytes(streamVersion);
            bytes.Record("Wien/Österreich"_cp1252, classVersion);
            const TReadResult read = ReadOne(bytes.Bytes);
            SCOPED_TRACE(testing::Message()
                         << "stream " << streamVersion.value_or(0) << ", class " << classVersion);
            ASSERT_TRUE(read.Good);
            ASSERT_TRUE(read.Record);
            EXPECT_EQ(read.Record->Place().Name(), "Wien/Österreich"_cp1252);
            EXPECT_EQ(read.Record->PositionText(), "52°31'N/13°24'E, 34m"_cp1252);
            EXPECT_EQ(read.Record->Temperatures().Month(4), Tenths::FromUnits(45));
            EXPECT_EQ(read.Record->Temperatures().Mean(), Tenths::FromUnits(60));
            EXPECT_EQ(read.Record->Precipitation().Total(), Tenths(546));
        }
}

TEST(RecordStreamReadTest, OlderLayoutsConvertTheirNumbers) {
    TStreamBytes bytes;
    bytes.Begin("TDiagramData", 2);
    bytes.Begin("TDiagramData::TPlace", 1).String("Alt").End();
    // Flag words other than 0 and 1 count as true.
    bytes.Begin("TDiagramData::TCoords", 2).Int32(1).Int32(2).Int32(3).Int32(4);
    bytes.Word32(0).Word32(2).End();
    bytes.Begin("TDiagramData::TAltitude", 1).Int32(-12).End();
    bytes.Begin("TDiagramData::TTemperatureData", 2);
    for (const double t : {-0.04, 12.34, 12.35, -7.0, 0.05, -0.05, 1e-05, 0.0, 0.0, 0.0, 0.0, 0.0})
        bytes.Double(t);
    bytes.End().Begin("TDiagramData::TPrecipitationData", 1);
    for (int m = 0; m < 12; ++m)
        bytes.Int32(50);
    bytes.End().End();

    const TReadResult read = ReadOne(bytes.Bytes);
    ASSERT_TRUE(read.Good);
    const TDiagramData& record = *read.Record;
    EXPECT_EQ(record.Coords().Text(), "1°2'S/3°4'W"_cp1252);
    EXPECT_EQ(record.Altitude().Value(), -12);
    const auto& t = record.Temperatures();
    EXPECT_EQ(t.Month(0), Tenths(0));
    EXPECT_FALSE(t.Month(0).IsNegative());
    EXPECT_EQ(t.Month(1), Tenths::FromUnits(123));
    EXPECT_EQ(t.Month(2), Tenths::FromUnits(124));
    EXPECT_EQ(t.Month(3), Tenths(-7));
    EXPECT_EQ(t.Month(4), Tenths::FromUnits(1));
    EXPECT_EQ(t.Month(5), Tenths::FromUnits(-1));
    EXPECT_EQ(t.Month(6), Tenths(1)); // "1e-05" reads as far as the number goes
    EXPECT_EQ(record.Precipitation().Month(7), Tenths(50));
    EXPECT_EQ(record.Precipitation().Total(), Tenths(600));
}

TEST(RecordStreamReadTest, ComponentRangesAreChecked) {
    TStreamBytes bytes;
    bytes.Begin("TDiagramData", 3);
    bytes.Begin("TDiagramData::TPlace", 3).String("Nord").End();
    bytes.Begin("TDiagramData::TCoords", 3).String("91").String("0").String("0").String("0");
    bytes.Word32(1).Word32(1).End();
    EXPECT_THROW(ReadOne(bytes.Bytes), TDiagramData::TCoords::TXCoordDegreeOutOfRange);

    TStreamBytes nameless;
    nameless.Begin("TDiagramData", 3).Begin("TDiagramData::TPlace", 3).NullString().End();
    EXPECT_THROW(ReadOne(nameless.Bytes), TDiagramData::TPlace::TXInvalidPlaceName);
}

TEST(RecordStreamReadTest, ReferencesCopyEarlierObjectsOfTheSameClass) {
    TStreamBytes bytes;
    bytes.Record("Erste", 3); // objects 1 to 6
    bytes.Begin("TDiagramData", 3);
    bytes.Begin("TDiagramData::TPlace", 3).String("Zweite").End();
    bytes.Reference(3).Reference(4).Reference(5).Reference(6).End();
    bytes.Reference(1); // the whole first record again

    TObjectReader in(bytes.Bytes);
    const auto first = TDiagramData::Streamer::Read(in);
    const auto second = TDiagramData::Streamer::Read(in);
    const auto third = TDiagramData::Streamer::Read(in);
    ASSERT_TRUE(in.Good());
    EXPECT_EQ(second->Place().Name(), "Zweite");
    EXPECT_EQ(second->Coords(), first->Coords());
    EXPECT_EQ(second->Precipitation(), first->Precipitation());
    EXPECT_TRUE(third->IsIdentical(*first));
}

// The bytes of a stream handed out piece by piece, as a file is read; it may claim more bytes
// than it holds, as a file cut short while it is read.
class TPieceSource : public TObjectReader::TSource {
public:
    explicit TPieceSource(std::string bytes) : Bytes(std::move(bytes)), Claimed(Bytes.size()) {}
    std::uint64_t Size() const override { return Claimed; }
    std::size_t ReadAt(std::uint64_t offset, char* buffer, std::size_t count) override {
        ++Reads;
        return offset < Bytes.size() ? Bytes.copy(buffer, count, offset) : 0;
    }

    std::string Bytes;
    std::uint64_t Claimed;
    int Reads = 0;
};

TEST(RecordStreamReadTest, AStreamReadPieceByPieceReadsAsAWholeOne) {
    // Some megabytes, with strings across the pieces' borders and a reference to the first
    // record from long after the piece that held it.
    TStreamBytes bytes;
    constexpr int Count = 5000;
    for (int i = 0; i < Count; ++i)
        bytes.Record("Station " + std::to_string(i), 3);
    bytes.Reference(1);
    TPieceSource source(bytes.Bytes);
    TObjectReader pieces(source);
    TObjectReader whole(bytes.Bytes);
    for (int i = 0; i <= Count; ++i) {
        const auto read = TDiagramData::Streamer::Read(pieces);
        const auto expected = TDiagramData::Streamer::Read(whole);
        ASSERT_TRUE(read && expected) << i;
        ASSERT_TRUE(read->IsIdentical(*expected)) << i;
    }
    EXPECT_TRUE(pieces.Good());
    EXPECT_GT(source.Reads, 3);

    TPieceSource cutShort(bytes.Bytes.substr(0, bytes.Bytes.size() / 2));
    cutShort.Claimed = bytes.Bytes.size();
    TObjectReader cut(cutShort);
    int records = 0;
    while (TDiagramData::Streamer::Read(cut))
        ++records;
    EXPECT_FALSE(cut.Good());
    EXPECT_LT(records, Count);
}

// Streams that must fail the reader (and so the load) without producing a record.
TEST(RecordStreamReadTest, BrokenFramingFailsTheReader) {
    const auto fails = [](const TStreamBytes& bytes) {
        const TReadResult read = ReadOne(bytes.Bytes);
        return !read.Good && !read.Record;
    };
    const auto recordWith = [](auto addPlace) {
        TStreamBytes bytes;
        bytes.Begin("TDiagramData", 3);
        addPlace(bytes);
        return bytes;
    };
    EXPECT_TRUE(fails(recordWith([](TStreamBytes& b) { b.Byte(0x00); }))); // null
    EXPECT_TRUE(fails(recordWith([](TStreamBytes& b) { b.Byte(0x07); }))); // bad tag
    EXPECT_TRUE(fails(recordWith([](TStreamBytes& b) {
        b.Begin("TDiagramData::TAltitude", 3).String("5").End(); // wrong class
    })));
    EXPECT_TRUE(fails(recordWith([](TStreamBytes& b) {
        b.Begin("TDiagramData::TFoo", 3).String("x").End(); // unknown class
    })));
    EXPECT_TRUE(fails(recordWith([](TStreamBytes& b) { b.Reference(1); }))); // open frame
    EXPECT_TRUE(fails(recordWith([](TStreamBytes& b) { b.Reference(9); }))); // no object 9
    EXPECT_TRUE(fails(recordWith([](TStreamBytes& b) {
        b.Byte(0x02).Byte('(').String("TDiagramData::TPlace").Word32(3); // no "["
    })));
    EXPECT_TRUE(fails(recordWith([](TStreamBytes& b) {
        b.Begin("TDiagramData::TPlace", 3).String("Ort").Byte('}'); // no "]"
    })));
    EXPECT_TRUE(fails(recordWith([](TStreamBytes& b) {
        b.Begin("TDiagramData::TPlace", 4).String("Ort").End(); // version 4
    })));
    EXPECT_TRUE(fails(recordWith([](TStreamBytes& b) {
        b.Begin("TDiagramData::TPlace", 3).Word32(0xFFFFFFF0).Raw("Ort"); // huge length
    })));
    EXPECT_TRUE(fails(recordWith([](TStreamBytes& b) {
        b.Byte(0x02).Byte('[').String(std::string(128, 'T')).Word32(3); // long name
    })));
    EXPECT_TRUE(fails(recordWith([](TStreamBytes& b) {
        b.Byte(0x02).Byte('[').String("").Word32(3); // empty name
    })));

    TStreamBytes cut;
    cut.Record("Ganz", 3);
    cut.Bytes.pop_back();
    EXPECT_TRUE(fails(cut));
    EXPECT_TRUE(fails(TStreamBytes()));
}

} // namespace
