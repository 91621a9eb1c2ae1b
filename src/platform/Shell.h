#pragma once
// The desktop shell: opens a document or an address with the program associated with it.
#include <QString>
#include <memory>

namespace shell {

class Opener {
public:
    virtual ~Opener() = default;
    // A file path (native or as the program builds it, with "\"), a web address or "mailto:...".
    // Does not wait and reports nothing.
    virtual void Open(const QString& document) = 0;
};

Opener& Current();
void Install(std::shared_ptr<Opener> opener);

} // namespace shell
