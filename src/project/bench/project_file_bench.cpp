// Reading and writing project files: a real project of 70 entries, and ten
// megabytes of listing or of rubbish, which must cost one pass, not more.

#include "project/project_file.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

hk::ProgramState Project() {
    hk::ProgramState s;
    s.header[1] = "P-2024/17";
    s.LfNr = 70;
    s.dNorm = 60;
    for (int n = 1; n <= 70; ++n) {
        s.table.at(n) = {90,
                         70,
                         std::to_string(n),
                         "Wohnen, groß",
                         20,
                         1500,
                         1.3f,
                         60,
                         1,
                         1500,
                         "DIN Guss- Radiator          "};
        s.ListingText += "  1  90  70 1.01 Wohnzimmer 20  1500 1,3  60   1  1500  DIN Guss\r\n";
    }
    return s;
}

std::string Bytes(const hk::ProgramState& s) {
    std::string bytes;
    hk::ProjectFileBytes(s, bytes);
    return bytes;
}

constexpr std::size_t kTenMb = 10'000'000;

void Read(benchmark::State& st, const std::string& file) {
    for (auto _ : st) {
        hk::ProgramState s;
        benchmark::DoNotOptimize(hk::ReadProjectFile(file, s));
        benchmark::DoNotOptimize(s.ListingText.data());
    }
    st.SetBytesProcessed(static_cast<std::int64_t>(st.iterations() * file.size()));
}

void BM_WriteProject(benchmark::State& st) {
    const hk::ProgramState s = Project();
    for (auto _ : st) {
        benchmark::DoNotOptimize(Bytes(s));
    }
}
BENCHMARK(BM_WriteProject);

void BM_ReadProject(benchmark::State& st) {
    Read(st, Bytes(Project()));
}
BENCHMARK(BM_ReadProject);

void BM_ReadTenMegabyteListing(benchmark::State& st) {
    std::string file = Bytes(Project());
    file.erase(file.size() - 2);
    while (file.size() < kTenMb) {
        file += "  1  90  70 1.01 Wohnzimmer 20  1500 1,3  60   1  1500  DIN Guss\r\n";
    }
    Read(st, file + "\r\n");
}
BENCHMARK(BM_ReadTenMegabyteListing)->Unit(benchmark::kMillisecond);

void BM_RefuseTenMegabytesWithoutLineEnd(benchmark::State& st) {
    Read(st, std::string(kTenMb, 'x'));
}
BENCHMARK(BM_RefuseTenMegabytesWithoutLineEnd)->Unit(benchmark::kMillisecond);

void BM_RefuseTenMegabyteRowOfCommas(benchmark::State& st) {
    Read(st, "\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n1,60\r\n1" + std::string(kTenMb, ','));
}
BENCHMARK(BM_RefuseTenMegabyteRowOfCommas)->Unit(benchmark::kMillisecond);

void BM_RefuseTenMegabyteOpenText(benchmark::State& st) {
    Read(st, "\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n1,60\r\n1,0,0,\"" +
                 std::string(kTenMb, 'a') + "\r\n");
}
BENCHMARK(BM_RefuseTenMegabyteOpenText)->Unit(benchmark::kMillisecond);

} // namespace
