// Benchmarks of the core: one conversion, one listing line, the listing of
// a full project, saving and loading a full project, the ten-megabyte
// files a load must refuse (or load) in one pass, and the heat-pump check and
// the hydraulic balancing of a full project.

#include "calc/balancing.h"
#include "calc/conversion.h"
#include "calc/heat_pump_check.h"
#include "project/file_commands.h"
#include "project/project_file.h"
#include "report/listing.h"
#include "support/calc_driver.h"
#include "support/fakes.h"
#include "support/file_lines.h"
#include "support/samples.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

// A project of 70 radiators calculated as the user does, DIN, with a filled
// header: what a full project file holds.
const hk::ProgramState& FullProject() {
    static const hk::ProgramState s = [] {
        hk::test::CalcDriver calc;
        hk::test::SetHeader(calc.state, {"P-2024/17", "Schulz", "12.03.2024", "Müller", "Jürgen",
                                         "Hauptstr. 1", "12345 Köln", "0221 123456", "Am Hang 3",
                                         "12345 Köln", "0221 654321"});
        for (int n = 1; n <= 70; ++n) {
            hk::test::RadiatorTexts t;
            t.dVorl = std::to_string(55 + n % 60);
            t.dRueckl = std::to_string(40 + n % 15);
            t.RaumNr = std::to_string(100 + n);
            t.RaumVer = n % 2 ? "Wohnen" : "Küche, Bad";
            t.dRaum = n % 3 ? "20" : "22,5";
            t.QRaum = std::to_string(400 + 37 * n);
            calc.calculate(t, n % 44);
            if (!calc.screen.messages.empty()) {
                std::fprintf(stderr, "radiator %d refused\n", n);
                std::abort();
            }
            if (n < 70) {
                calc.pressNaechster();
            }
        }
        return calc.state;
    }();
    return s;
}

std::string FullProjectBytes() {
    auto image = hk::ProjectFileBytes(FullProject());
    if (!image) {
        std::abort();
    }
    return std::move(image->bytes);
}

void BM_Convert(benchmark::State& st) {
    hk::RadiatorEntry e;
    e.dVorl = 70;
    e.dRueckl = 40;
    e.dRaum = 20;
    e.QRaum = 1000;
    e.Exponent = 1.3f;
    for (auto _ : st) {
        benchmark::DoNotOptimize(e);
        benchmark::DoNotOptimize(hk::Convert(e, 60));
    }
}
BENCHMARK(BM_Convert);

void BM_ListingLine(benchmark::State& st) {
    const hk::RadiatorTable& table = FullProject().table;
    for (auto _ : st) {
        benchmark::DoNotOptimize(hk::ListingLine(table, 17));
    }
}
BENCHMARK(BM_ListingLine);

// The header block and the 70 lines, as the listing box holds them.
void BM_Listing70(benchmark::State& st) {
    const hk::ProgramState& s = FullProject();
    for (auto _ : st) {
        std::string listing = hk::HeaderBlock(s.dNorm);
        for (int n = 1; n <= 70; ++n) {
            listing += hk::ListingLine(s.table, n);
        }
        benchmark::DoNotOptimize(listing.data());
    }
}
BENCHMARK(BM_Listing70);

void BM_SaveProject70(benchmark::State& st) {
    const hk::ProgramState& s = FullProject();
    std::size_t size = 0;
    for (auto _ : st) {
        const auto image = hk::ProjectFileBytes(s);
        size = image ? image->bytes.size() : 0;
        benchmark::DoNotOptimize(image);
    }
    st.SetBytesProcessed(static_cast<std::int64_t>(st.iterations() * size));
}
BENCHMARK(BM_SaveProject70);

void Load(benchmark::State& st, const std::string& file, bool mustLoad) {
    for (auto _ : st) {
        hk::ProgramState s;
        const auto read = hk::ReadProjectFile(file, s);
        if (read.ok() != mustLoad) {
            st.SkipWithError("the file was not read as expected");
            break;
        }
        benchmark::DoNotOptimize(s.ListingText.data());
    }
    st.SetBytesProcessed(static_cast<std::int64_t>(st.iterations() * file.size()));
}

void BM_LoadProject70(benchmark::State& st) { Load(st, FullProjectBytes(), true); }
BENCHMARK(BM_LoadProject70);

constexpr std::size_t kTenMb = 10'000'000;

std::string TenMegabytesOfBinary() {
    std::string f(kTenMb, '\0');
    unsigned x = 4711;
    for (char& c : f) {
        x = x * 1103515245u + 12345u;
        c = static_cast<char>(x >> 16);
    }
    return f;
}

// The full project with its listing grown to ten megabytes: read and kept.
std::string TenMegabyteListing() {
    return hk::test::WithListingGrown(FullProjectBytes(), hk::ListingLine(FullProject().table, 1),
                                      kTenMb);
}

void BM_Refuse10MbBinary(benchmark::State& st) { Load(st, TenMegabytesOfBinary(), false); }
BENCHMARK(BM_Refuse10MbBinary)->Unit(benchmark::kMillisecond);

void BM_Refuse10MbWithoutLineEnd(benchmark::State& st) {
    Load(st, std::string(kTenMb, '7'), false);
}
BENCHMARK(BM_Refuse10MbWithoutLineEnd)->Unit(benchmark::kMillisecond);

// The whole heat-pump check of 70 radiators, as after one edit of an
// installed output: every target conversion and every lowest supply
// temperature afresh. Must stay far below a frame (goal: 2 ms).
void BM_HeatPumpCheck70(benchmark::State& st) {
    const hk::ProgramState& s = FullProject();
    hk::CheckSettings settings{55, 45, {}};
    int edit = 0;
    for (auto _ : st) {
        settings.installed[1 + edit % 70] = hk::InstalledChoice::Typed(900 + edit % 1000);
        ++edit;
        benchmark::DoNotOptimize(hk::RunCheck(s.table, s.LfNr, s.dNorm, settings));
    }
}
BENCHMARK(BM_HeatPumpCheck70)->Unit(benchmark::kMicrosecond);

// The whole balancing of 70 radiators, as after one change of a system
// value: every return temperature, flow and setting, the sums and the
// heating curve afresh. Goal: 2 ms.
void BM_Balancing70(benchmark::State& st) {
    const hk::ProgramState& s = FullProject();
    const hk::Valve& valve = hk::test::ExampleValve();
    std::vector<hk::BalancingInput> inputs;
    for (int n = 1; n <= 70; ++n) {
        const hk::RadiatorEntry& e = s.table.at(n);
        inputs.push_back({n, e.dRaum, e.QRaum, e.QHKNeu, e.Exponent, &valve});
    }
    hk::BalancingSystem system{55, 10, 100, -12, 30};
    int edit = 0;
    for (auto _ : st) {
        system.spread = 5 + edit++ % 10;
        benchmark::DoNotOptimize(hk::Balance(inputs, s.dNorm, system));
    }
}
BENCHMARK(BM_Balancing70)->Unit(benchmark::kMicrosecond);

void BM_Load10MbListing(benchmark::State& st) { Load(st, TenMegabyteListing(), true); }
BENCHMARK(BM_Load10MbListing)->Unit(benchmark::kMillisecond);

// Eleven empty header lines and the counter line before the hostile row.
const std::string kFileHead = "\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n1,60\r\n";

void BM_Refuse10MbRowOfCommas(benchmark::State& st) {
    Load(st, kFileHead + "1" + std::string(kTenMb, ','), false);
}
BENCHMARK(BM_Refuse10MbRowOfCommas)->Unit(benchmark::kMillisecond);

void BM_Refuse10MbOpenText(benchmark::State& st) {
    Load(st, kFileHead + "1,0,0,\"" + std::string(kTenMb, 'a') + "\r\n", false);
}
BENCHMARK(BM_Refuse10MbOpenText)->Unit(benchmark::kMillisecond);

// The whole load command on a real ten-megabyte file: open, read, refuse,
// message (the file stays in the page cache after the first round).
void BM_LoadCommand10MbBinaryFile(benchmark::State& st) {
    // The system's temporary folder, one folder of our own in it per run.
    std::error_code error;
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path(error) / ("hkbench-" + std::to_string(::getpid()));
    if (error || !std::filesystem::create_directories(dir, error)) {
        st.SkipWithError("no temporary folder");
        return;
    }
    const std::string path = (dir / "gross.txt").string();
    {
        std::ofstream out(path, std::ios::binary);
        out << TenMegabytesOfBinary();
    }
    hk::test::FakeFileDialogs dialogs;
    dialogs.answer = path;
    hk::test::FakeBusy busy;
    hk::test::MessageLog messages;
    for (auto _ : st) {
        hk::ProgramState s;
        benchmark::DoNotOptimize(hk::mnuItemOpen_Click(s, dialogs, busy, messages));
    }
    std::filesystem::remove_all(dir, error);
    if (messages.shown.size() != static_cast<std::size_t>(st.iterations())) {
        st.SkipWithError("the file was not refused every time");
    }
}
BENCHMARK(BM_LoadCommand10MbBinaryFile)->Unit(benchmark::kMillisecond);

} // namespace
