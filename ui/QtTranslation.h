#pragma once

namespace norda {

// Qt's own texts (the file dialogs and their questions, the standard buttons of message
// boxes, the edit menu of a field) in the language the program speaks rather than in
// Qt's English: Qt's translations that Debian ships, for Turkish when `countryCode` is 90
// (Turkish in both programs), for English otherwise. The program calls it at start and
// after every change of language; the windows Qt made itself follow at once.
// False when Qt's texts for the language are not installed: they stay English then.
bool FollowLanguageWithQt(int countryCode);

}  // namespace norda
