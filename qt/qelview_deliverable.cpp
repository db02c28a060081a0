#include "deliverable.h"

const Deliverable& qelviewDeliverable()
{
    static const Program& program = qelviewProgram();
    static const Deliverable deliverable{program.windowCaption, program.catalogue,
                                         ":/qelview/built-in-picture.jpg",
                                         ":/qelview/window-icon.ico", program.name};
    return deliverable;
}
