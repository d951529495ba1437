// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/kavo-catalog/tool_io.h"

#include "catalog/catalog_json.h"
#include "catalog/parser.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>

namespace kavo::tool {

std::optional<std::string> readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "kavo-catalog: cannot open %s: %s\n", path.c_str(), std::strerror(errno));
        return std::nullopt;
    }
    std::ostringstream contents;
    contents << in.rdbuf();
    if (in.bad()) {
        std::fprintf(stderr, "kavo-catalog: cannot read %s\n", path.c_str());
        return std::nullopt;
    }
    return std::move(contents).str();
}

std::optional<LoadedCatalogue> loadPageOrCache(const std::string& path)
{
    std::optional<std::string> text = readFile(path);
    if (!text) return std::nullopt;
    const bool namedJson = path.ends_with(".json");
    const auto first = text->find_first_not_of(" \t\r\n");
    const bool looksJson = first != std::string::npos && (*text)[first] == '[';
    if (namedJson || looksJson) {
        CategoriesOrError decoded = decodeCategories(*text);
        if (auto* categories = std::get_if<std::vector<KVCategory>>(&decoded)) {
            return LoadedCatalogue{std::move(*categories), true};
        }
        if (namedJson) {
            std::fprintf(stderr, "kavo-catalog: %s: %s\n", path.c_str(),
                         std::get<json::DecodeError>(decoded).message().c_str());
            return std::nullopt;
        }
    }
    return LoadedCatalogue{KVParser().parse(*text), false};
}

} // namespace kavo::tool
