#include "orvane/utils/File.h"

#include "orvane/exceptions/Exception.h"

#include <sys/stat.h>

namespace Orvane::Utils {

File::File(const std::string& path, int mode)
    : path_(path)
{
    if (mode == Read)
        handle_ = std::fopen(path.c_str(), "rb");
    else if (mode == Write)
        handle_ = std::fopen(path.c_str(), "wb");
    // A folder opens for reading here, but has no size and reads nothing: it is no file.
    struct stat status;
    if (handle_ != nullptr && fstat(fileno(handle_), &status) == 0 && S_ISDIR(status.st_mode))
        close();
    if (handle_ == nullptr)
        throw Exceptions::FileNotFoundException("File not found: " + path);
}

File::~File() { close(); }

void File::close()
{
    if (handle_ != nullptr)
        std::fclose(handle_);
    handle_ = nullptr;
}

int File::read(void* buffer, int elementSize, int count)
{
    if (elementSize <= 0 || count <= 0)
        return 0;
    return int(std::fread(buffer, size_t(elementSize), size_t(count), handle_));
}

void File::seek(int offset, int origin)
{
    switch (origin) {
    case SeekStart: std::fseek(handle_, offset, SEEK_SET); break;
    case SeekCurrent: std::fseek(handle_, offset, SEEK_CUR); break;
    case SeekEnd: std::fseek(handle_, offset, SEEK_END); break;
    default: break;
    }
}

int File::size()
{
    std::fseek(handle_, 0, SEEK_END);
    long length = std::ftell(handle_);
    std::fseek(handle_, 0, SEEK_SET);
    return int(length);
}

int File::write(const void* buffer, int elementSize, int count)
{
    if (elementSize <= 0 || count <= 0)
        return 0;
    return int(std::fwrite(buffer, size_t(elementSize), size_t(count), handle_));
}

}
