#pragma once
// The desktop shell: opens a document or an address with the program associated with it.
#include <QString>
#include <memory>

namespace shell {

class Opener {
public:
    virtual ~Opener() = default;
    // A file path (native or as the program builds it, with "\"), a web address ("http://...",
    // "https://...") or "mailto:...". Does not wait. Returns false when the desktop has no program
    // to hand it to (or the file is not there); true says only that a program was started.
    virtual bool Open(const QString& document) = 0;
};

Opener& Current();
void Install(std::shared_ptr<Opener> opener);

} // namespace shell
