// Times the region builder on the board and a die face against three yardsticks on the same
// pictures: the pixel-by-pixel scan with one union per run, Qt's own mask-to-region path, and a
// plain memcpy of the picture's bytes, which no builder that reads every pixel can beat.

#include <benchmark/benchmark.h>

#include <QBitmap>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QRegion>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "platform/Twips.h"
#include "tests/regions/LookAlikeSkin.h"
#include "tests/regions/PixelRows.h"
#include "tests/regions/SlowReferenceRegion.h"
#include "window/RegionFromPicture.h"

namespace quibbix {
namespace {

struct Subject {
    std::string name;
    QImage picture;
    bool fromAssets;
};

Subject loadSubject(const std::string& name, const char* fileName, QImage lookAlike) {
    const QString path = QStringLiteral(QUIBBIX_SKIN_DIR "/") + QString::fromLatin1(fileName);
    QImage picture;
    if (QFile::exists(path) && picture.load(path)) {
        return {name, picture, true};
    }
    return {name, lookAlike, false};
}

QRegion ourRegion(const QImage& picture) {
    int32_t key = 0;
    return regionFromPicture(picture, twipsFromPixels(picture.width()),
                             twipsFromPixels(picture.height()), key);
}

QRegion referenceRegion(const QImage& picture) {
    int32_t key = 0;
    return slowReferenceRegion(picture, twipsFromPixels(picture.width()),
                               twipsFromPixels(picture.height()), key);
}

// In the mask the key pixels are 0 in the colour table's sense but come out of QBitmap as color0,
// which QRegion leaves out; MaskInColor is therefore the mode that keeps the non-key pixels.
QRegion qtMaskRegion(const QImage& picture) {
    const QImage mask = picture.createMaskFromColor(picture.pixel(0, 0), Qt::MaskInColor);
    return QRegion(QBitmap::fromImage(mask));
}

void copyPixels(const QImage& picture, std::vector<uchar>& copy) {
    std::memcpy(copy.data(), picture.constBits(), copy.size());
}

// Timings mean nothing if the three builders disagree, so they are compared once first.
bool buildersAgree(const Subject& subject) {
    const PixelRows ours = pixelRowsOf(ourRegion(subject.picture));
    const bool agree = ours == pixelRowsOf(referenceRegion(subject.picture)) &&
                       ours == pixelRowsOf(qtMaskRegion(subject.picture));
    if (!agree) {
        std::fprintf(stderr, "%s: the builders give different shapes\n", subject.name.c_str());
    }
    return agree;
}

void registerFor(const Subject& subject) {
    const QImage& picture = subject.picture;
    const auto bytes = static_cast<int64_t>(picture.sizeInBytes());
    auto timeRegion = [picture, bytes](benchmark::State& state, QRegion (*build)(const QImage&)) {
        for (auto _ : state) {
            QRegion region = build(picture);
            benchmark::DoNotOptimize(region);
        }
        state.SetBytesProcessed(state.iterations() * bytes);
    };
    benchmark::RegisterBenchmark((subject.name + "/ours").c_str(), timeRegion, &ourRegion);
    benchmark::RegisterBenchmark((subject.name + "/slow_reference").c_str(), timeRegion,
                                 &referenceRegion);
    benchmark::RegisterBenchmark((subject.name + "/qt_mask").c_str(), timeRegion, &qtMaskRegion);
    benchmark::RegisterBenchmark((subject.name + "/memcpy").c_str(),
                                 [picture, bytes](benchmark::State& state) {
                                     std::vector<uchar> copy(static_cast<size_t>(bytes));
                                     for (auto _ : state) {
                                         copyPixels(picture, copy);
                                         benchmark::DoNotOptimize(copy.data());
                                         benchmark::ClobberMemory();
                                     }
                                     state.SetBytesProcessed(state.iterations() * bytes);
                                 });
}

// Shows the runs as usual, then the ratios the builder is judged by, from the median of repeated
// runs when there are repetitions. Both clocks are kept: on a busy machine the wall clock also
// counts time spent waiting for a core, the processor clock does not.
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            const std::string& name = run.run_name.function_name;
            if (median || (run.run_type == Run::RT_Iteration && !fromMedian_.count(name))) {
                times_[name] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
            }
            if (median) {
                fromMedian_[name] = true;
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void printRatios(const std::string& subject) const {
        printRatios(subject, "wall clock", &Times::real);
        printRatios(subject, "processor clock", &Times::cpu);
    }

  private:
    struct Times {
        double real = 0;
        double cpu = 0;
    };

    void printRatios(const std::string& subject, const char* clock, double Times::*kind) const {
        const double ours = timeOf(subject + "/ours", kind);
        const double floor = timeOf(subject + "/memcpy", kind);
        if (ours <= 0 || floor <= 0) {
            return;
        }
        std::printf(
            "%s, %s: slow reference / ours = %.1f, qt mask / ours = %.1f, ours / memcpy = %.2f\n",
            subject.c_str(), clock, timeOf(subject + "/slow_reference", kind) / ours,
            timeOf(subject + "/qt_mask", kind) / ours, ours / floor);
    }

    double timeOf(const std::string& name, double Times::*kind) const {
        const auto found = times_.find(name);
        return found == times_.end() ? 0.0 : found->second.*kind;
    }

    std::map<std::string, Times> times_;
    std::map<std::string, bool> fromMedian_;
};

}  // namespace
}  // namespace quibbix

int main(int argc, char** argv) {
    using namespace quibbix;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    // QBitmap, used by Qt's own path, needs a GUI application but no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication application(argc, argv);

    const std::vector<Subject> subjects = {
        loadSubject("board", "board.png", lookAlikeBoard()),
        loadSubject("die", "die6.png", lookAlikeDie(6)),
    };
    for (const Subject& subject : subjects) {
        const std::string origin = subject.fromAssets
                                       ? "the skin asset"
                                       : "a look-alike drawn in code (skin asset not found)";
        std::fprintf(stderr, "%s: %d x %d, %s\n", subject.name.c_str(), subject.picture.width(),
                     subject.picture.height(), origin.c_str());
        benchmark::AddCustomContext(subject.name + " picture", origin);
        if (!buildersAgree(subject)) {
            return 1;
        }
        registerFor(subject);
    }

    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    for (const Subject& subject : subjects) {
        reporter.printRatios(subject.name);
    }
    benchmark::Shutdown();
    return 0;
}
