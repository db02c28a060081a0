#include "deliverable.h"

const Deliverable& velviewDeliverable()
{
    static const Deliverable deliverable{velviewProgram(), ":/velview/built-in-picture.jpg",
                                         ":/velview/window-icon.ico"};
    return deliverable;
}
