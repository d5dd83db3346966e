#pragma once
// The scene's one light and the eye, uploaded to both shader stages per frame.
void UploadLighting();
