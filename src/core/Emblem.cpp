#include "core/Emblem.hpp"

// Written to the log at every start; 31 lines of 80 characters.
const std::array<const char*, 31>& emblemLines()
{
    static const std::array<const char*, 31> lines = {
        "================================================================================",
        "         + *            .   .                                           .       ",
        "                                                                      *         ",
        ".             ###   #   #   ###   ####   #   #   ###   #   # *#####       .     ",
        "          .  #   #  #   #  #   #+ #   #  #   #  #   #+ ##  #  #                 ",
        "             #   #  #   #  #   #  ####   #   #  #####  # # #  ####            . ",
        "             # # #  #   #  #   #  # #     # #   #   #  #  ##  #                 ",
        "             #  #   #   #  #   #  #  #    # #   #   #  #   #  #                 ",
        "              ## #   ###    ###   #   #    #    #   #  #   #  #####             ",
        "          .                    .                 +                           .  ",
        "                   *       -=  V E S P E R I N E  =-                            ",
        "            .                                                             .     ",
        "                                                   *           .                ",
        "        .         .                                                             ",
        "                                       __                    `         *        ",
        "       ..                             /  \\                          *           ",
        "                              _______/ [] \\_______                              ",
        "            +    .       ====|  o  o  o  o  o  o  |====>                        ",
        "       .                      \\___________________/       .               *     ",
        "   .                             /_/       \\_\\`                         +       ",
        "      .                                                                         ",
        "                                                .                               ",
        "                               .                     +                          ",
        "                       the last humans sleep below decks.                       ",
        "                         the ship is awake. so are you.                         ",
        "                                                                                ",
        "           .                                           .            .           ",
        "                                                                                ",
        "                       colony ship log // systems nominal                       ",
        "                                                              * .               ",
        "================================================================================",
    };
    return lines;
}
