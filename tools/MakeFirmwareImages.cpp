// Writes the firmware images that ship in the program folder's bin/: images
// newer than the simulated default devices, so that a person can try the
// update, its failure and the resume.
#include "platform/simdevice/SimCtl.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

struct ImageFile {
    const char* fileName;
    int target;
    int cid;
    int mid;
    const char* imageName;
    int version;
};

const ImageFile kImages[] = {
    {"QV_M03_MS.bin", 210, 18, 3, "QV_M03_MS", 0x0103},
    {"QV_M03_RX4K.bin", 211, 18, 3, "QV_M03_RX4K", 0x0102},
};

constexpr int kPayloadLength = 32 * 1024;

bool Write(const std::string& folder, const ImageFile& file)
{
    std::vector<unsigned char> bytes(size_t(SimCtl_BuildImage(file.target, file.cid, file.mid, file.imageName,
                                                              file.version, kPayloadLength, nullptr, 0)));
    SimCtl_BuildImage(file.target, file.cid, file.mid, file.imageName, file.version, kPayloadLength, bytes.data(),
                      int(bytes.size()));
    const std::string path = folder + "/" + file.fileName;
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    return std::fclose(out) == 0 && written;
}

}

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    for (const ImageFile& file : kImages)
        if (!Write(argv[1], file))
            return 1;
    return 0;
}
