// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up of the data service from a large cache file: the time from
// construction until `categories` is set (all of it on the main thread),
// beside reading and decoding the same file without the service.
//
// usage: kavo-service-bench PAGE.md [RUNS]
#include "bench/bench_timing.h"
#include "catalog/catalog_json.h"
#include "catalog/parser.h"
#include "platform/file_io.h"
#include "services/data_service.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

using namespace kavo;
using kavo::bench::median;
using kavo::bench::timeMs;

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: kavo-service-bench PAGE.md [RUNS]\n");
        return 2;
    }
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 21;
    const std::string page = bench::readFile(argv[1]);

    QTemporaryDir dir;
    DataServiceConfig config;
    config.cacheFilePath = dir.filePath("kavo_categories.json");
    config.bundledPagePath = dir.filePath("absent.md");
    // A closed local port: the download that follows start-up fails at once.
    config.primaryUrl = QUrl("http://127.0.0.1:9/single-page");
    config.fallbackUrl = QUrl("http://127.0.0.1:9/single-page.md");
    const std::vector<KVCategory> catalogue = KVParser().parse(page);
    if (!writeFileAtomically(config.cacheFilePath, encodeCategories(catalogue))) return 1;
    std::size_t entries = 0;
    for (const KVCategory& category : catalogue) {
        entries += category.entries.size();
        for (const KVSection& section : category.sections) entries += section.entries.size();
    }

    std::vector<double> bare;
    std::vector<double> readAndDecode;
    std::vector<double> service;
    const std::optional<std::string> bytes = readRegularFile(config.cacheFilePath, kCacheFileLimit);
    for (int i = 0; i <= runs; ++i) {
        CategoriesOrError decoded;
        const double bareMs = timeMs([&] { decoded = decodeCategories(*bytes); });
        CategoriesOrError decodedFromFile;
        const double fileMs = timeMs([&] {
            decodedFromFile = decodeCategories(*readRegularFile(config.cacheFilePath, kCacheFileLimit));
        });
        std::unique_ptr<KVDataService> started;
        const double serviceMs = timeMs([&] { started = std::make_unique<KVDataService>(config); });
        if (started->categories()->size() != catalogue.size() || started->isLoading()) return 1;
        started.reset();
        QCoreApplication::processEvents();
        if (i == 0) continue; // warm-up
        bare.push_back(bareMs);
        readAndDecode.push_back(fileMs);
        service.push_back(serviceMs);
    }

    const double bareMs = median(bare);
    const double serviceMs = median(service);
    std::printf("cache %.2f MB, %zu categories, %zu entries; median of %d runs\n", static_cast<double>(bytes->size()) / 1e6,
                catalogue.size(), entries, runs);
    std::printf("decode (bytes in memory)             %8.2f ms\n", bareMs);
    std::printf("read file + decode                   %8.2f ms\n", median(readAndDecode));
    std::printf("service construction to categories   %8.2f ms  (main-thread stall; goal < 50)\n", serviceMs);
    std::printf("ratio service / decode               %8.2f     (goal <= 1.20)\n", serviceMs / bareMs);
    return 0;
}
