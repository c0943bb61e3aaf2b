#pragma once

// Start-up's part of the sound: every choice is offered again, the hidden sound
// window comes into being, and the title music starts looping.
void PlayTitleMusic();
