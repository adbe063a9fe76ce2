#include "platform/InputFile.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

SInputFile OpenInputFile(const CString& path)
{
    SInputFile result;
    const fs::path name(path.str());
    std::error_code error;
    // Checked before opening: opening a pipe could wait for a writer.
    const fs::file_status status = fs::status(name, error);
    if (status.type() == fs::file_type::not_found) {
        result.eProblem = EInputFileProblem::missing;
        return result;
    }
    if (error) {
        result.eProblem = EInputFileProblem::unreadable;
        return result;
    }
    if (status.type() != fs::file_type::regular) {
        result.eProblem = EInputFileProblem::notRegular;
        return result;
    }
    const std::uintmax_t size = fs::file_size(name, error);
    std::FILE* file = error ? nullptr : std::fopen(path.ToUtf8().c_str(), "rb");
    if (!file) {
        result.eProblem = EInputFileProblem::unreadable;
        return result;
    }
    result.pFile = file;
    result.uSize = size;
    return result;
}

const char* DescribeInputFileProblem(EInputFileProblem eProblem)
{
    switch (eProblem) {
    case EInputFileProblem::none: return "no problem";
    case EInputFileProblem::missing: return "no such file";
    case EInputFileProblem::notRegular: return "not a regular file";
    case EInputFileProblem::unreadable: return "cannot be read";
    }
    return "cannot be read";
}
