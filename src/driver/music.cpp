// Sound output, the instrument bank and the music step that lays a new
// one-second loop at every scene start.
#include "driver/QORN7316.h"

void QORN7316_makeSound()
{
    // TODO: sound output.
}

void QORN7316_makeInstruments()
{
    // TODO: music and its 96 instruments, each shown as it is built, then the first music step.
}

void QORN7316_musicStep()
{
    // TODO: eight new voices over the loop, handed to sound output; nothing while musicOff.
}

void QORN7316_musicVoice()
{
    // TODO: one voice pattern from a random generator.
}
