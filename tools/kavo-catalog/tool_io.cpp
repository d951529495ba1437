// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/kavo-catalog/tool_io.h"

#include "catalog/catalog_json.h"
#include "catalog/parser.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

namespace kavo::tool {

int outputStatus(bool written, int failure)
{
    if (written) return 0;
    std::fprintf(stderr, "kavo-catalog: writing the output failed\n");
    return failure;
}

std::optional<std::string> readFile(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        std::fprintf(stderr, "kavo-catalog: cannot open %s: %s\n", path.c_str(), std::strerror(errno));
        return std::nullopt;
    }
    // A regular file's size is known: one byte more finds its end without growing.
    struct stat status {};
    const bool regular = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
    std::string contents(regular ? static_cast<std::size_t>(status.st_size) + 1 : 64 * 1024, '\0');
    std::size_t filled = 0;
    for (;;) {
        if (filled == contents.size()) contents.resize(contents.size() * 2);
        const ssize_t count = ::read(fd, contents.data() + filled, contents.size() - filled);
        if (count < 0 && errno == EINTR) continue;
        if (count < 0) {
            // A directory opens, and fails here: a failure, never an empty page.
            std::fprintf(stderr, "kavo-catalog: cannot read %s: %s\n", path.c_str(), std::strerror(errno));
            ::close(fd);
            return std::nullopt;
        }
        if (count == 0) break;
        filled += static_cast<std::size_t>(count);
    }
    ::close(fd);
    contents.resize(filled);
    return contents;
}

std::optional<InputText> InputText::open(const std::string& path)
{
    InputText input;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat status {};
    if (fd >= 0 && ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && status.st_size > 0) {
        const auto size = static_cast<std::size_t>(status.st_size);
        // Populated at once: one call maps every page instead of a fault for each.
        void* mapped = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
        if (mapped != MAP_FAILED) {
            ::madvise(mapped, size, MADV_SEQUENTIAL);
            input.mapped_ = static_cast<const char*>(mapped);
            input.size_ = size;
        }
    }
    if (fd >= 0) ::close(fd);
    if (input.mapped_) return input;
    std::optional<std::string> text = readFile(path);
    if (!text) return std::nullopt;
    input.read_ = std::move(*text);
    return input;
}

InputText::InputText(InputText&& other) noexcept
    : mapped_(std::exchange(other.mapped_, nullptr)), size_(std::exchange(other.size_, 0)),
      read_(std::move(other.read_))
{
}

InputText::~InputText()
{
    if (mapped_) ::munmap(const_cast<char*>(mapped_), size_);
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
