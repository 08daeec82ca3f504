// Form files on disk: the bounded read and the save through a temporary file.
#include "norvtext/services/form_file.hpp"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <random>
#include <string>
#include <system_error>
#include <utility>

#if defined(__unix__) || defined(__APPLE__)
#include <unistd.h>
#endif

#include "norvtext/services/form_errors.hpp"

namespace norvtext::services {

MemoryPropertyBag read_form_file(const std::filesystem::path& path) {
    const std::string source = "form file " + path.string();
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (status.type() == std::filesystem::file_type::not_found) raise_form_error(source, "no such file");
    if (ec) raise_form_error(source, "cannot read: " + ec.message());
    if (status.type() != std::filesystem::file_type::regular) raise_form_error(source, "not a regular file");
    std::ifstream in(path, std::ios::binary);
    if (!in) raise_form_error(source, std::string("cannot open: ") + std::strerror(errno));
    // Read in pieces up to one byte past the limit, so a file that grows while it is read
    // is caught as well as one that was too large to begin with.
    std::string text;
    std::array<char, 65536> piece{};
    while (in && text.size() <= max_form_file_size) {
        in.read(piece.data(), piece.size());
        text.append(piece.data(), static_cast<std::size_t>(in.gcount()));
    }
    if (in.bad()) raise_form_error(source, "cannot read");
    if (text.size() > max_form_file_size) {
        raise_form_error(source, "larger than " + std::to_string(max_form_file_size / (1024 * 1024)) + " MiB");
    }
    return parse_bag_json(text, source);
}

void write_form_file(const std::filesystem::path& path, const MemoryPropertyBag& bag) {
    const std::string source = "form file " + path.string();
    // The whole text first: a bag that cannot be written touches no file at all.
    const std::string text = bag_to_json(bag, true, source);

    std::random_device random;
    std::filesystem::path temp;
    std::FILE* file = nullptr;
    // Beside `path`, so the rename stays in one directory (an empty parent is the current one).
    // "x": create a new file only, never open one another process made meanwhile.
    for (int attempt = 0; attempt < 16 && file == nullptr; ++attempt) {
        temp = path.parent_path() / ("." + path.filename().string() + ".tmp" + std::to_string(random()));
        file = std::fopen(temp.c_str(), "wbx");
        if (file == nullptr && errno != EEXIST) break;
    }
    if (file == nullptr) raise_form_error(source, std::string("cannot create a temporary file: ") + std::strerror(errno));

    const auto give_up = [&](const std::string& what) {
        const int saved = errno;
        if (file != nullptr) std::fclose(file);
        std::error_code ignored;
        std::filesystem::remove(temp, ignored);
        raise_form_error(source, what + ": " + std::strerror(saved));
    };
    if (std::fwrite(text.data(), 1, text.size(), file) != text.size() || std::fflush(file) != 0) give_up("cannot write");
#if defined(__unix__) || defined(__APPLE__)
    // On the disk before the rename, or a crash just after it could leave an empty file
    // where the previous one was.
    if (::fsync(::fileno(file)) != 0) give_up("cannot write");
#endif
    // Closed whatever it returns, so giving up must not close it again.
    if (std::fclose(std::exchange(file, nullptr)) != 0) give_up("cannot write");
    std::error_code ec;
    std::filesystem::rename(temp, path, ec);
    if (ec) {
        errno = ec.value();
        give_up("cannot replace the file");
    }
}

}  // namespace norvtext::services
