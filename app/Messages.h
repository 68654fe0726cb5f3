// The texts and captions of the message boxes that more than one part of the program shows.
#pragma once

namespace msg {

const char* const SetupCaption = "Setup";
const char* const InstallationFilesMissing = "Can not find installation files.";
const char* const SetupCompleted = "Setup completed! The system will restart now!";

} // namespace msg
