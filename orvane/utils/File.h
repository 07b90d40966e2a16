#pragma once

#include "orvane/utils/InputStream.h"
#include "orvane/utils/OutputStream.h"

#include <cstdio>
#include <string>

namespace Orvane::Utils {

// A file on disk as a stream: mode Read opens it with "rb", mode Write with "wb".
class File : public InputStream, public OutputStream {
public:
    enum Mode : int { Read = 0, Write = 1 };

    // Throws FileNotFoundException "File not found: <path>" when the file cannot be opened.
    File(const std::string& path, int mode);
    ~File() override;
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    int read(void* buffer, int elementSize, int count) override;
    void seek(int offset, int origin) override;
    int size() override;
    int write(const void* buffer, int elementSize, int count) override;

    void close();
    const std::string& path() const { return path_; }

private:
    std::FILE* handle_ = nullptr;
    std::string path_;
};

}
