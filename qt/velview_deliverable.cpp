#include "deliverable.h"

const Deliverable& velviewDeliverable()
{
    static const Program& program = velviewProgram();
    static const Deliverable deliverable{program.windowCaption, program.catalogue,
                                         ":/velview/built-in-picture.jpg",
                                         ":/velview/window-icon.ico", program.name};
    return deliverable;
}
