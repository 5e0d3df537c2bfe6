#ifndef READRIGHTSHELD_H
#define READRIGHTSHELD_H

// While it lives, the calling thread is held to the files' read and search rights even when
// it runs as root, as the suite does: root's capabilities to pass over them are lowered for this
// thread alone (Linux), and raised again on destruction. isHeld() is false where that could
// not be done; a test then skips what needs it.
class ReadRightsHeld
{
public:
    ReadRightsHeld();
    ~ReadRightsHeld();
    bool isHeld() const { return m_isHeld; }

private:
    bool m_isHeld = false;
    bool m_isLowered = false;
    unsigned m_effective = 0;
};

#endif // READRIGHTSHELD_H
