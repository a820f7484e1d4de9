#pragma once

#include <QString>

#include <memory>
#include <string_view>

namespace padrix {

/// A file that this process holds while it writes it: no other process holds it meanwhile,
/// and the hold ends with the process however it ends (on Unix a `flock` lock; elsewhere a
/// lock file beside it). Written in whole pieces and made durable on request.
class HeldFile {
public:
    HeldFile();
    ~HeldFile();
    HeldFile(HeldFile&& other) noexcept;
    HeldFile& operator=(HeldFile&& other) noexcept;

    /// A new, or emptied, file at `path`, held; not open, with the reason, when it cannot be.
    static HeldFile create(const QString& path, QString* error);
    /// The file at `path`, held, where it exists and no other process holds it.
    static HeldFile holdIfFree(const QString& path);

    bool isOpen() const;
    /// Appends all of `bytes`; false, with the reason, when it cannot.
    bool write(std::string_view bytes, QString* error);
    /// Makes what was written durable; false, with the reason, when it cannot.
    bool sync(QString* error);
    /// Lets the file go.
    void close();

private:
    struct Handle;
    std::unique_ptr<Handle> m_handle;
};

/// Makes the names in `folder` durable after a file there was made, renamed or removed.
void syncFolder(const QString& folder);

/// Gives the file `from` the name `to` in one step, replacing a file of that name.
bool replaceFile(const QString& from, const QString& to);

} // namespace padrix
