// The table-driven splitter against the byte-by-byte tests it replaced
// (kept here as the reference), over random lines of the bytes that matter.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "exchange/field_splitter.hpp"
#include "exchange/shift_jis.hpp"

namespace {

using JwwGaibu::TFieldSplitter;

// The earlier splitting, field by field.
std::vector<std::string> ReferenceSplit(const std::string& line) {
    std::vector<std::string> fields(1);
    bool splitting = true;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const auto byte = static_cast<unsigned char>(line[i]);
        if (JwwGaibu::IsShiftJisLeadByte(byte)) {
            if (i + 1 == line.size()) break;
            fields.back() += line[i];
            fields.back() += line[++i];
            continue;
        }
        if (splitting) {
            if (byte == '"') {
                splitting = false;
                continue;
            }
            if (byte == '=') {
                fields.back() += '=';
                splitting = false;
                continue;
            }
            if (byte == ' ' || byte == '\t') {
                if (fields.back().empty()) continue;
                if (fields.size() == JwwGaibu::kMaxFields) break;
                fields.emplace_back();
                continue;
            }
        }
        if (byte >= 0x20 && byte <= 0xFD) fields.back() += line[i];
    }
    return fields;
}

std::vector<std::string> Fields(const TFieldSplitter& splitter) {
    std::vector<std::string> fields;
    for (int i = 1; i <= splitter.Count(); ++i)
        fields.emplace_back(splitter.Field(i));
    return fields;
}

// Mostly numbers and blanks, with every kind of special byte now and then.
std::string RandomLine(std::mt19937_64& random) {
    static const std::string kSpecial =
        std::string("\"=\t\x01\x7F\x80\x82\x9F\xA0\xDF\xE0\xFD\xFE\xFF", 15) + std::string(1, '\0');
    static const std::string kCommon = "0123456789.- ";
    const std::size_t length = random() % 8 == 0 ? random() % 1200 : random() % 60;
    std::string line;
    // Now and then close to the field cap, to cross it with any byte.
    if (random() % 10 == 0) {
        for (std::size_t n = 390 + random() % 20; n > 0; --n)
            line += "1 ";
    }
    for (std::size_t i = 0; i < length; ++i) {
        const std::string& from = random() % 6 == 0 ? kSpecial : kCommon;
        line += from[random() % from.size()];
    }
    return line;
}

TEST(FieldSplitterIdentity, SplitsRandomLinesAsBefore) {
    std::mt19937_64 random(404);
    TFieldSplitter splitter;
    for (int i = 0; i < 100'000; ++i) {
        const std::string line = RandomLine(random);
        splitter.Split(line);
        ASSERT_EQ(Fields(splitter), ReferenceSplit(line)) << '"' << line << '"';
    }
}

} // namespace
