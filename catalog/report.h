#pragma once
// The printed catalog: the report form TQReport1 of every stored
// message, in list order, driven by its need-data callback.
#include "framework/report/report.h"
#include "storage/core/message_list.h"

#include <cstdint>

namespace zandrel {

class TQReport1 : public Report {
public:
    // The list by reference: the report neither changes nor frees it.
    explicit TQReport1(const MessageList& messages);

    const MessageList& MessageList_;
    std::int32_t RowIndex = 0;

    void QReport1BeforePrint();
    void QReport1NeedData(bool& MoreData);

    // The elements the callbacks fill, by their design names.
    ReportLabel* QRLabel_startDate = nullptr;
    ReportLabel* QRLabel_enddate = nullptr;
    ReportLabel* QRLabel5 = nullptr;
    ReportRichText* QRRichText1 = nullptr;
};

} // namespace zandrel
