#pragma once
// The screens of a round: the play screen "camera" with the round's display,
// and the training briefings loaded over it.
#include <cstdint>

// Modal states of the round.
enum ModalState : int32_t { ModalPlay = 0, ModalOpening = 1, ModalOpen = 2 };

// Clears the screen and loads "camera"; also closes a briefing.
void showPlayScreen();
// A briefing over the play screen; its "button1" closes it. Play is frozen
// until then.
void showBriefing(const char* layout);
// "briefStart" over the play screen at the start of the training; "skip"
// leaves the training at once.
void showTrainingStart();
// "briefFinish" in place of the play screen at the end of the training.
void showTrainingFinish();
