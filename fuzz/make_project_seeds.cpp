// Writes the seed corpus of the project-file fuzz target: real projects made
// by the calculation screen's logic and saved by the program's own writer,
// and a few damaged copies of them (cut short, bad counters, quotes, code
// page bytes).
//
// usage: make_project_seeds FOLDER

#include "calc_driver.h"
#include "project/project_file.h"

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

std::string Saved(const hk::ProgramState& s) {
    const auto image = hk::ProjectFileBytes(s);
    if (!image) {
        std::fprintf(stderr, "not saved: %s\n", image.problem().message.c_str());
        std::exit(1);
    }
    return image->bytes;
}

void Put(const std::string& folder, const std::string& name, const std::string& bytes) {
    std::ofstream out(folder + "/" + name, std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out) {
        std::fprintf(stderr, "cannot write %s/%s\n", folder.c_str(), name.c_str());
        std::exit(1);
    }
}

hk::test::RadiatorTexts Radiator(int supply, int ret, const std::string& nr, const std::string& use,
                                 const std::string& room, const std::string& output) {
    hk::test::RadiatorTexts t;
    t.dVorl = std::to_string(supply);
    t.dRueckl = std::to_string(ret);
    t.RaumNr = nr;
    t.RaumVer = use;
    t.dRaum = room;
    t.QRaum = output;
    return t;
}

// Where line n (1-based) of a CR LF file starts.
std::size_t LineStart(const std::string& file, int n) {
    std::size_t start = 0;
    for (int i = 1; i < n; ++i) {
        start = file.find("\r\n", start) + 2;
    }
    return start;
}

// Line n of a CR LF file replaced by text.
std::string WithLine(const std::string& file, int n, const std::string& text) {
    const std::size_t start = LineStart(file, n);
    const std::size_t end = file.find("\r\n", start);
    return file.substr(0, start) + text + file.substr(end);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const std::string dir = argv[1];

    {
        hk::test::CalcDriver calc;
        Put(dir, "fresh_before_calculation", Saved(calc.state));
    }
    {
        hk::test::CalcDriver calc;
        calc.calculate(Radiator(90, 70, "0001", "Wohnen", "20", "1500"), 0);
        Put(dir, "one_din_90_70_20", Saved(calc.state));
    }
    std::string three;
    {
        hk::test::CalcDriver calc(false);
        const char* header[] = {"P-2024/17",
                                "Schulz, Jürgen",
                                "12.03.2024",
                                "Müller \"Haus\"",
                                "Björn",
                                "Lindenstraße 5",
                                "12345 Köln",
                                "0221/12 34",
                                "Am Hang 3",
                                "€-Zone Süd",
                                ""};
        for (int f = 1; f <= 11; ++f) {
            calc.state.header[f] = header[f - 1];
        }
        calc.calculate(Radiator(65, 45, "0012", "Küche, Bad", "20", "1200"), 5);
        calc.pressNaechster();
        calc.calculate(Radiator(70, 55, "13", "Schlafzimme", "20,5", "800"), 20);
        calc.pressNaechster();
        calc.calculate(Radiator(55, 45, "9999", "", "24", "10000"), 43);
        calc.pressNaechster();
        three = Saved(calc.state);
        Put(dir, "three_en_umlauts_then_next", three);
    }
    {
        hk::test::CalcDriver calc;
        for (int n = 1; n <= 70; ++n) {
            calc.calculate(Radiator(50 + n, 35 + n / 2, std::to_string(n),
                                    std::string("Raum ").append(std::to_string(n)),
                                    std::to_string(5 + n % 26), std::to_string(100 * n)),
                           n % 44);
            if (n < 70) {
                calc.pressNaechster();
            }
        }
        Put(dir, "seventy_din", Saved(calc.state));
    }

    // Damaged copies of the three-entry project.
    Put(dir, "cut_mid_row", three.substr(0, LineStart(three, 14) + 20));
    Put(dir, "counter_0", WithLine(three, 12, "0,50"));
    Put(dir, "counter_71", WithLine(three, 12, "71,50"));
    Put(dir, "counter_minus_1", WithLine(three, 12, "-1,50"));
    Put(dir, "counter_32767", WithLine(three, 12, "32767,50"));
    Put(dir, "quote_doubled_and_bare",
        WithLine(three, 13, "1,65,45,\"00\"\"12\",\"K\"che\",20,1200,1.3,34,1.65,1980,\"T\""));
    std::string high;
    for (int b = 0x80; b <= 0x9F; ++b) {
        high += static_cast<char>(b);
    }
    Put(dir, "cp1252_bytes_80_to_9f",
        WithLine(WithLine(three, 1, high), 13,
                 "1,65,45,\"" + high + "\",\"\xE4\xF6\xFC\xDF\",20,1200,1.3,34,1.65,1980,\"" +
                     high + "\""));
    Put(dir, "line_feeds_only", "a\nb\nc\n");
    std::string binary;
    for (unsigned i = 0, x = 4711; i < 256; ++i) {
        x = x * 1103515245u + 12345u;
        binary += static_cast<char>(x >> 16);
    }
    Put(dir, "binary", binary);
    Put(dir, "empty", "");
    return 0;
}
