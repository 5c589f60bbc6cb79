#include <utility>

#include "fennimar/FennimarDllInterface.h"

CFileException::CFileException(CString path, int osError, std::string message)
    : m_strFileName(std::move(path)), m_lOsError(osError), m_message(std::move(message)) {}

const char* CFileException::what() const noexcept { return m_message.c_str(); }
