#ifndef FILESIZELIMIT_H
#define FILESIZELIMIT_H

// Files larger than the limit cannot be written, by this process and the
// programs it starts meanwhile, as on a full disk. Writes fail instead of
// killing the writer. Unix only: Windows has no file size limit.

#include <csignal>
#include <sys/resource.h>

class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t nBytes)
    {
        // An ignored signal stays ignored across exec.
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_previous);
        rlimit limit = m_previous;
        limit.rlim_cur = nBytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_previous); }

private:
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;
    rlimit m_previous;
};

#endif
