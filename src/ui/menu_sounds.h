#pragma once
// The sounds the menus play.

void PlayClickSound();
void PlayHoverSound();
void PlayNoticeSound();
