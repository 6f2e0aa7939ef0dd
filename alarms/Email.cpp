#include "alarms/Email.h"

#include "framework/application.h"
#include "framework/registry.h"

#include <deque>
#include <optional>
#include <utility>

namespace zandrel {
namespace {

// The window the mail service's dialogs are modal to: the main window, or
// the modal window open over it.
ULONG_PTR ParentWindow() {
    return reinterpret_cast<ULONG_PTR>(App().ModalOwner());
}

const char* const kProfilesKey = "Software\\Microsoft\\Windows Messaging Subsystem\\Profiles";

std::string Cut(const std::string& text) {
    return text.substr(0, TEmail::MaxTextLength);
}

// The system's default mail profile: none when the profiles key does not
// open, empty when its value cannot be read.
std::optional<std::string> DefaultMailProfile() {
    RegistryKey key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kProfilesKey, 0, KEY_QUERY_VALUE, key.receive()) !=
        ERROR_SUCCESS)
        return std::nullopt;
    try {
        return ReadRegistryString(key.get(), "", "DefaultProfile");
    } catch (const RegistryError&) {
        return std::string();
    }
}

// A text of the mail service's; none is empty.
std::string ServiceText(LPCSTR text) {
    return text ? text : "";
}

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Contains(const std::string& text, char c) {
    return text.find(c) != std::string::npos;
}

// S with its first "]" and its first "[" removed.
std::string WithoutBrackets(std::string text) {
    text.erase(text.find(']'), 1);
    text.erase(text.find('['), 1);
    return text;
}

// Zero-terminated copies that the mail service reads during one call.
class TextCopies {
public:
    LPSTR Copy(const std::string& text) { return texts_.emplace_back(text).data(); }
    LPSTR CopyOrNull(const std::string& text) { return text.empty() ? nullptr : Copy(text); }

private:
    std::deque<std::string> texts_; // growing at the back moves no text
};

// A record that the mail service allocated, given back to it by its owner.
class ServiceBuffer {
public:
    ServiceBuffer(const MapiEntryPoints& mapi, void* buffer) : mapi_(mapi), buffer_(buffer) {}
    ~ServiceBuffer() {
        try {
            Free();
        } catch (...) {
            // Nothing is left to report a failing release with.
        }
    }
    ServiceBuffer(const ServiceBuffer&) = delete;
    ServiceBuffer& operator=(const ServiceBuffer&) = delete;

    // Gives the record back now: MAPIFreeBuffer's result.
    ULONG Free() {
        void* const buffer = std::exchange(buffer_, nullptr);
        return buffer ? App().RunModal([&] { return mapi_.FreeBuffer(buffer); }) : SUCCESS_SUCCESS;
    }

private:
    const MapiEntryPoints& mapi_;
    void* buffer_;
};

} // namespace

// The recipient records of one call, with the texts they point to.
class TEmail::RecipientArray {
public:
    explicit RecipientArray(std::size_t room) { entries_.reserve(room); }

    // Names and addresses are cut to the mail service's length; an empty
    // address is none.
    void Add(ULONG recipClass, const std::string& name, const std::string& address) {
        MapiRecipDesc& entry = entries_.emplace_back();
        entry.ulRecipClass = recipClass;
        entry.lpszName = texts_.Copy(Cut(name));
        entry.lpszAddress = texts_.CopyOrNull(Cut(address));
    }
    ULONG Count() const { return static_cast<ULONG>(entries_.size()); }
    lpMapiRecipDesc Entries() { return entries_.empty() ? nullptr : entries_.data(); }

private:
    std::vector<MapiRecipDesc> entries_;
    TextCopies texts_;
};

// Closes, when it goes, the session that an operation opened for itself.
class TEmail::OwnSession {
public:
    explicit OwnSession(TEmail& email) : email_(email), logoffAfter_(email.session_ == 0) {}
    ~OwnSession() {
        if (!logoffAfter_)
            return;
        try {
            email_.Logoff();
        } catch (...) {
            // The operation's own result is what counts.
        }
    }
    OwnSession(const OwnSession&) = delete;
    OwnSession& operator=(const OwnSession&) = delete;

private:
    TEmail& email_;
    bool logoffAfter_;
};

TEmail::~TEmail() {
    if (session_ == 0)
        return;
    try {
        Logoff();
    } catch (...) {
        // A destructor has no one to report to.
    }
}

void TEmail::SetPassword(const std::string& password) {
    password_ = Cut(password);
}

void TEmail::SetProfile(const std::string& profile) {
    profile_ = Cut(profile);
}

void TEmail::SetSubject(const std::string& subject) {
    subject_ = Cut(subject);
}

void TEmail::SetText(const std::string& text) {
    text_ = Cut(text);
}

void TEmail::SetLongText(const std::string& text) {
    longText_ = text;
    text_.clear();
}

void TEmail::CheckMAPI() const {
    if (!MAPIavail())
        throw EMAPIunavailable();
}

ULONG TEmail::Logon() {
    CheckMAPI();
    if (session_ != 0)
        return SUCCESS_SUCCESS;
    if (useDefProfile_) {
        if (const auto profile = DefaultMailProfile())
            SetProfile(*profile);
    }
    const MapiEntryPoints& mapi = mapi_.EntryPoints();
    const ULONG_PTR parent = ParentWindow();
    TextCopies texts;
    ULONG result = App().RunModal([&] {
        return mapi.Logon(parent, texts.CopyOrNull(profile_), texts.CopyOrNull(password_), 0, 0,
                          &session_);
    });
    if (result != SUCCESS_SUCCESS) {
        // Lets the mail service ask the user.
        result = App().RunModal(
            [&] { return mapi.Logon(parent, nullptr, nullptr, MAPI_LOGON_UI, 0, &session_); });
    }
    if (result != SUCCESS_SUCCESS)
        session_ = 0;
    return result;
}

ULONG TEmail::Logoff() {
    CheckMAPI();
    if (session_ == 0)
        return SUCCESS_SUCCESS;
    const LHANDLE session = std::exchange(session_, 0);
    const ULONG_PTR parent = ParentWindow();
    return App().RunModal([&] { return mapi_.EntryPoints().Logoff(session, parent, 0, 0); });
}

ULONG TEmail::SendMail() {
    CheckMAPI();
    if (RecipientCount() > MaxEntries)
        return MAPI_E_TOO_MANY_RECIPIENTS;
    if (attachment_.size() > MaxEntries)
        return MAPI_E_TOO_MANY_FILES;
    const OwnSession ownSession(*this);
    if (Logon() != SUCCESS_SUCCESS)
        return MAPI_E_LOGIN_FAILURE;

    TextCopies texts;
    MapiMessage message{};
    message.lpszSubject = texts.CopyOrNull(subject_);
    message.lpszNoteText = texts.CopyOrNull(longText_.empty() ? text_ : longText_);

    RecipientArray recipients = ResolveAll();
    message.nRecipCount = recipients.Count();
    message.lpRecips = recipients.Entries();
    // With no recipient left the user addresses the mail in the compose dialog.
    const FLAGS flags = (showDialog_ || recipients.Count() == 0) ? MAPI_DIALOG : 0;

    std::vector<MapiFileDesc> files;
    files.reserve(attachment_.size());
    for (const std::string& attachment : attachment_) {
        const std::string path = Cut(attachment);
        if (!FileExists(path))
            return MAPI_E_ATTACHMENT_NOT_FOUND;
        MapiFileDesc& file = files.emplace_back();
        file.nPosition = 0xFFFFFFFF; // no place in the body
        file.lpszPathName = texts.Copy(path);
    }
    message.nFileCount = static_cast<ULONG>(files.size());
    message.lpFiles = files.empty() ? nullptr : files.data();
    if (acknowledge_)
        message.flFlags |= MAPI_RECEIPT_REQUESTED;

    const ULONG_PTR parent = ParentWindow();
    return App().RunModal(
        [&] { return mapi_.EntryPoints().SendMail(session_, parent, &message, flags, 0); });
}

ULONG TEmail::ShowAddressBook() {
    CheckMAPI();
    if (RecipientCount() > MaxEntries)
        return MAPI_E_TOO_MANY_RECIPIENTS;
    const OwnSession ownSession(*this);
    if (Logon() != SUCCESS_SUCCESS)
        return MAPI_E_LOGIN_FAILURE;

    RecipientArray recipients = ResolveAll();
    const MapiEntryPoints& mapi = mapi_.EntryPoints();
    char caption[] = "";
    char labels[] = "";
    ULONG pickedCount = 0;
    lpMapiRecipDesc picked = nullptr;
    const ULONG_PTR parent = ParentWindow();
    const ULONG result = App().RunModal([&] {
        return mapi.Address(session_, parent, caption, 4, labels, recipients.Count(),
                            recipients.Entries(), 0, 0, &pickedCount, &picked);
    });
    if (result != SUCCESS_SUCCESS)
        return result;

    ServiceBuffer buffer(mapi, picked);
    recipient_.clear();
    cc_.clear();
    bcc_.clear();
    for (ULONG i = 0; picked && i < pickedCount; ++i) {
        const std::string name = ServiceText(picked[i].lpszName);
        switch (picked[i].ulRecipClass) {
        case MAPI_TO:
            recipient_.push_back(name);
            break;
        case MAPI_CC:
            cc_.push_back(name);
            break;
        case MAPI_BCC:
            bcc_.push_back(name);
            break;
        }
    }
    return buffer.Free();
}

TEmail::RecipientArray TEmail::ResolveAll() {
    RecipientArray recipients(RecipientCount());
    AddRecipients(recipient_, MAPI_TO, recipients);
    AddRecipients(cc_, MAPI_CC, recipients);
    AddRecipients(bcc_, MAPI_BCC, recipients);
    return recipients;
}

void TEmail::AddRecipients(std::vector<std::string>& list, ULONG recipClass,
                           RecipientArray& array) {
    const MapiEntryPoints& mapi = mapi_.EntryPoints();
    for (std::string& name : list) {
        if (name.empty())
            continue;
        const auto resolve = [&](FLAGS flags, lpMapiRecipDesc& resolved) {
            TextCopies texts;
            const ULONG_PTR parent = ParentWindow();
            return App().RunModal([&] {
                return mapi.ResolveName(session_, parent, texts.Copy(Cut(name)), flags, 0,
                                        &resolved);
            });
        };
        lpMapiRecipDesc resolved = nullptr;
        ULONG result = resolve(0, resolved);
        if (result == MAPI_E_AMBIGUOUS_RECIPIENT || result == MAPI_E_UNKNOWN_RECIPIENT) {
            // Lets the user pick or correct the name.
            result = resolve(MAPI_DIALOG, resolved);
        }
        if (result != SUCCESS_SUCCESS)
            continue;
        const ServiceBuffer buffer(mapi, resolved);
        const std::string displayName = ServiceText(resolved ? resolved->lpszName : nullptr);
        const std::string address = ServiceText(resolved ? resolved->lpszAddress : nullptr);
        if (Contains(name, '[') && Contains(name, ']') && !Contains(displayName, '[') &&
            !Contains(displayName, ']')) {
            // An address written in brackets goes to the mail service as it is.
            const std::string written = WithoutBrackets(name);
            array.Add(recipClass, written, written);
        } else {
            name = displayName;
            array.Add(recipClass, displayName, address);
        }
    }
}

} // namespace zandrel
