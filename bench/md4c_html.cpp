// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick for `kavo-catalog parse` as a whole process: md4c's own
// command-line converter, rebuilt from Debian's md4c-html library (Debian
// ships the library, not the program). It does what md2html does with its
// defaults: read the file into a buffer that doubles from 32 KiB, render it
// as CommonMark into a buffer sized at 9/8 of the input (doubling when that
// is short), and write the result with one fwrite to stdout.
//
// usage: kavo-md2html PAGE.md > PAGE.html
#include <md4c-html.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

struct Buffer {
    char* data = nullptr;
    std::size_t capacity = 0;
    std::size_t size = 0;

    explicit Buffer(std::size_t initial) : data(static_cast<char*>(std::malloc(initial))), capacity(initial)
    {
        if (!data) std::exit(1);
    }
    ~Buffer() { std::free(data); }
    Buffer(const Buffer&) = delete;
    Buffer& operator=(const Buffer&) = delete;

    void grow(std::size_t to)
    {
        data = static_cast<char*>(std::realloc(data, to));
        if (!data) std::exit(1);
        capacity = to;
    }
    void append(const char* text, std::size_t length)
    {
        if (capacity < size + length) grow((size + length) * 2);
        std::memcpy(data + size, text, length);
        size += length;
    }
};

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: kavo-md2html PAGE.md\n", stderr);
        return 2;
    }
    std::FILE* in = std::fopen(argv[1], "rb");
    if (!in) {
        std::fprintf(stderr, "Cannot open %s.\n", argv[1]);
        return 1;
    }
    Buffer input(32 * 1024);
    for (;;) {
        if (input.size >= input.capacity) input.grow(2 * input.capacity);
        const std::size_t read = std::fread(input.data + input.size, 1, input.capacity - input.size, in);
        if (read == 0) break;
        input.size += read;
    }
    std::fclose(in);

    Buffer output(input.size + input.size / 8 + 64);
    const auto append = [](const MD_CHAR* text, MD_SIZE length, void* buffer) {
        static_cast<Buffer*>(buffer)->append(text, length);
    };
    if (md_html(input.data, static_cast<MD_SIZE>(input.size), append, &output, 0, 0) != 0) {
        std::fputs("Parsing failed.\n", stderr);
        return 1;
    }
    std::fwrite(output.data, 1, output.size, stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
