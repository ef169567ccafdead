// Benchmarks of the exports of the Extras menu: the client report of a
// 70-radiator project as PDF (also with the longest texts a file can bring),
// and its table as CSV. The report needs Qt's
// fonts, so this program starts a QGuiApplication (offscreen without a
// display).

#include "project/table_export.h"
#include "ui/report/project_report.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

namespace {

// 70 radiators with the longest texts the input boxes take.
const hk::ProgramState& LongProject() {
    static const hk::ProgramState s = [] {
        hk::ProgramState p;
        const char* header[] = {"2024-117",  "Meier",           "08.12.2026", "Schulze",
                                "Anna",      "Hauptstraße 125", "12345 Köln", "0221 123456",
                                "Am Hang 3", "12345 Köln",      "0221 654321"};
        for (int f = 1; f <= 11; ++f) {
            p.header[f] = header[f - 1];
        }
        p.dNorm = 60;
        p.LfNr = 70;
        for (int n = 1; n <= 70; ++n) {
            hk::RadiatorEntry& e = p.table.at(n);
            e = {105,
                 100,
                 std::to_string(1000 + n),
                 n % 2 ? "Wohnzimmer1" : "Küche; Bad",
                 20.5f,
                 10000,
                 1.33f,
                 82.5f,
                 0.65f,
                 static_cast<float>(6500 + n),
                 "Plattenheizkörper Typ 33 3000"};
        }
        return p;
    }();
    return s;
}

void BM_ProjectReportPdf70(benchmark::State& st) {
    const QDateTime created = QDateTime::currentDateTime();
    for (auto _ : st) {
        const auto pdf = hk::ui::WriteProjectReportPdf(LongProject(), created);
        if (!pdf) {
            st.SkipWithError("no report");
            return;
        }
        benchmark::DoNotOptimize(pdf->data());
    }
}
BENCHMARK(BM_ProjectReportPdf70)->Unit(benchmark::kMillisecond);

// The same project with every text at the 32 767 characters a text box
// takes: what a project file written by hand can hold.
void BM_ProjectReportPdfLongestTexts(benchmark::State& st) {
    hk::ProgramState p = LongProject();
    for (int f = 1; f <= 11; ++f) {
        p.header[f].clear();
        while (p.header[f].size() < 32767) {
            p.header[f] += "Wort12345 ";
        }
    }
    for (int n = 1; n <= 70; ++n) {
        p.table.at(n).RaumVer = std::string(32767, 'W');
        p.table.at(n).HkTyp = std::string(32767, 'M');
    }
    const QDateTime created = QDateTime::currentDateTime();
    for (auto _ : st) {
        const auto pdf = hk::ui::WriteProjectReportPdf(p, created);
        if (!pdf) {
            st.SkipWithError("no report");
            return;
        }
        benchmark::DoNotOptimize(pdf->data());
    }
}
BENCHMARK(BM_ProjectReportPdfLongestTexts)->Unit(benchmark::kMillisecond);

void BM_TableCsv70(benchmark::State& st) {
    for (auto _ : st) {
        std::string csv = hk::TableCsv(LongProject());
        benchmark::DoNotOptimize(csv.data());
    }
}
BENCHMARK(BM_TableCsv70)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return EXIT_SUCCESS;
}
