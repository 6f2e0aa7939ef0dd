#pragma once
// Messages as the catalog's tests and its screenshot print them: formatted
// two-line texts, every warning kind, none started yet.
#include "framework/tests/fake_environment.h"
#include "storage/core/message_list.h"

#include <string>

namespace zandrel::testing {

inline void AddCatalogMessages(MessageList& list, FakeEnvironment& env, int count) {
    for (int i = 0; i < count; ++i) {
        EditorValues values;
        values.StartDate = env.now + 1 + i; // no sticker yet
        values.AlarmDate = env.now + 2 + i;
        values.IncType = i % 4;
        values.RichText = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 Message " +
                          std::to_string(i + 1) +
                          ": call the dentist\\par {\\b before} "
                          "Friday, {\\cf0\\i 9:30}\\par}";
        env.now += 0.001;
        list.Add(env, values);
    }
}

} // namespace zandrel::testing
