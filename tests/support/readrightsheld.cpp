#include "tests/support/readrightsheld.h"

#include <QtGlobal>

#ifdef Q_OS_LINUX
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

const unsigned PassOverRights = (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH);

// The raw calls act on the calling thread only, unlike the C library's set*id calls.
bool capabilities(__user_cap_data_struct (&data)[2], bool set)
{
    __user_cap_header_struct header {_LINUX_CAPABILITY_VERSION_3, 0};
    return ::syscall(set ? SYS_capset : SYS_capget, &header, data) == 0;
}

} // namespace

ReadRightsHeld::ReadRightsHeld()
{
    __user_cap_data_struct data[2] {};
    if (!capabilities(data, false))
        return;
    m_effective = data[0].effective;
    if ((m_effective & PassOverRights) == 0) {
        m_isHeld = true; // not root, or root without them: the rights hold already
        return;
    }
    data[0].effective &= ~PassOverRights;
    m_isLowered = capabilities(data, true);
    m_isHeld = m_isLowered;
}

ReadRightsHeld::~ReadRightsHeld()
{
    if (!m_isLowered)
        return;
    __user_cap_data_struct data[2] {};
    if (capabilities(data, false)) {
        data[0].effective = m_effective;
        capabilities(data, true);
    }
}

#else

ReadRightsHeld::ReadRightsHeld()
{
}

ReadRightsHeld::~ReadRightsHeld()
{
}

#endif
