#pragma once
// The mail component: a thin wrapper of Simple MAPI that sends a mail and
// opens the mail service's address book. Every call into the mail service
// runs inside the application's modal discipline, since the service may show
// dialogs of its own.
#include "alarms/smapi.h"

#include <cstddef>
#include <stdexcept>
#include <string>
#include <vector>

namespace zandrel {

// The mail service was not loaded when the program started.
class EMAPIunavailable : public std::runtime_error {
public:
    EMAPIunavailable() : std::runtime_error("MAPI services are not available on this system") {}
};

class TEmail {
public:
    // The mail service's names, addresses, paths and the short strings below
    // are at most this long; longer ones are cut.
    static constexpr std::size_t MaxTextLength = 255;
    // At most this many recipients (all classes together), and attachments.
    static constexpr std::size_t MaxEntries = 100000;

    // mapi: the mail library loaded at start, which outlives the component.
    explicit TEmail(const MapiLibrary& mapi) : mapi_(mapi) {}
    // Logs off an open session.
    virtual ~TEmail();
    TEmail(const TEmail&) = delete;
    TEmail& operator=(const TEmail&) = delete;

    // Asks for a read receipt.
    bool Acknowledge() const { return acknowledge_; }
    void SetAcknowledge(bool acknowledge) { acknowledge_ = acknowledge; }
    // Full paths of the files to attach.
    const std::vector<std::string>& Attachment() const { return attachment_; }
    void SetAttachment(const std::vector<std::string>& attachment) { attachment_ = attachment; }
    const std::vector<std::string>& Bcc() const { return bcc_; }
    void SetBcc(const std::vector<std::string>& bcc) { bcc_ = bcc; }
    const std::vector<std::string>& CC() const { return cc_; }
    void SetCC(const std::vector<std::string>& cc) { cc_ = cc; }
    // Whether the mail service was loaded when the program started.
    bool MAPIavail() const { return mapi_.Available(); }
    // Empty: none.
    const std::string& Password() const { return password_; }
    void SetPassword(const std::string& password);
    // Empty: none.
    const std::string& Profile() const { return profile_; }
    void SetProfile(const std::string& profile);
    // The primary recipients.
    const std::vector<std::string>& Recipient() const { return recipient_; }
    void SetRecipient(const std::vector<std::string>& recipient) { recipient_ = recipient; }
    // Lets the mail service show its compose dialog even when recipients are given.
    bool ShowDialog() const { return showDialog_; }
    void SetShowDialog(bool showDialog) { showDialog_ = showDialog; }
    const std::string& Subject() const { return subject_; }
    void SetSubject(const std::string& subject);
    // The body, unless a long text is set.
    const std::string& Text() const { return text_; }
    void SetText(const std::string& text);
    // Replaces Profile by the system's default mail profile at each logon.
    bool UseDefProfile() const { return useDefProfile_; }
    void SetUseDefProfile(bool useDefProfile) { useDefProfile_ = useDefProfile; }

    // A body of any length, sent instead of Text unless empty; empties Text.
    void SetLongText(const std::string& text);

    // Each returns a Simple MAPI result code (0: success).
    ULONG Logon();
    ULONG Logoff();
    // Opens its own session when none is open, and closes it again.
    ULONG SendMail();
    // Lets the user pick the recipients of all three classes, which then
    // replace the three lists (by display name).
    ULONG ShowAddressBook();

    // Throws EMAPIunavailable unless the mail service was loaded.
    virtual void CheckMAPI() const;

private:
    class OwnSession;
    class RecipientArray;

    // Resolves every name of the list and adds it to the array, in the given
    // class; the list takes the resolved display names. Names that do not
    // resolve are left out.
    void AddRecipients(std::vector<std::string>& list, ULONG recipClass, RecipientArray& array);
    // All three lists, by class.
    RecipientArray ResolveAll();
    std::size_t RecipientCount() const { return recipient_.size() + cc_.size() + bcc_.size(); }

    const MapiLibrary& mapi_;
    LHANDLE session_ = 0; // 0: none open
    bool acknowledge_ = false;
    std::vector<std::string> attachment_;
    std::vector<std::string> bcc_;
    std::vector<std::string> cc_;
    std::string password_;
    std::string profile_;
    std::vector<std::string> recipient_;
    bool showDialog_ = false;
    std::string subject_;
    std::string text_;
    bool useDefProfile_ = false;
    std::string longText_;
};

} // namespace zandrel
