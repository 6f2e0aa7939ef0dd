#pragma once
// The printed catalog: the report form TQReport1 of every stored
// message, in list order, driven by its need-data callback.
#include "framework/report.h"
#include "storage/message_list.h"

#include <cstdint>

namespace zandrel {

class TQReport1 : public TQuickRep {
public:
    // The list by reference: the report neither changes nor frees it.
    explicit TQReport1(const MessageList& messages);

    const MessageList& MessageList_;
    std::int32_t RowIndex = 0;

    void QReport1BeforePrint();
    void QReport1NeedData(bool& MoreData);

    // The elements the callbacks fill, by their design names.
    QRLabel* QRLabel_startDate = nullptr;
    QRLabel* QRLabel_enddate = nullptr;
    QRLabel* QRLabel5 = nullptr;
    QRRichText* QRRichText1 = nullptr;
};

} // namespace zandrel
