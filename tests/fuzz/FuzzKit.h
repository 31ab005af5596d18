#pragma once

// What every fuzz target shares. A target is one file, fuzz_<reader>.cpp,
// defining LLVMFuzzerTestOneInput: it hands the input to one of the
// program's readers as that reader's file (or report) and returns 0. The
// same function is linked either with libFuzzer (tools/fuzz.sh) or with
// ReplayMain.cpp, which feeds it the seed corpus and the inputs that once
// crashed it (tests/fuzz/corpus/<reader>, tests/fuzz/crashes/<reader>).

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

// Once per process: an application object on the offscreen platform, and
// fresh program and per-user folders that the readers find their files in.
// Every target calls it first.
void PrepareFuzzing();

inline QByteArray FuzzBytes(const std::uint8_t* data, std::size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), int(size));
}

// The shipped device description (usersetting/Config.ini) in the program
// folder, for readers that look a model up in it.
void UseShippedDescription();

// Writes a file below the program or per-user folder and gives its path.
QString WriteFuzzProgramFile(const QString& relativePath, const QByteArray& content);
QString WriteFuzzUserFile(const QString& relativePath, const QByteArray& content);
