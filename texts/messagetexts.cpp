#include "texts/messagetexts.h"

#include <array>

namespace zv {

namespace {

// Index 0 is unused so that the table reads like the indices the windows pass (1..46).
const std::array<std::string, kMessageTextCount + 1> &Table()
{
    static const std::array<std::string, kMessageTextCount + 1> texts = {
        "",
        "Are you sure you want to exit ?",
        "Confirmation",
        " - This is a sample",
        "Open a project.",
        "Zerovane Project (*.zvn)|*.zvn",
        "Equation has an invalid syntax.",
        "Error on file opening.",
        "Error on help file opening.",
        "Error",
        "No project is opened yet !",
        "Save the project",
        "Error while saving your project.",
        "X-Point",
        "f is not differentiable",
        "Enter the function to evaluate. For details, click the link above.",
        "No root has been found.",
        "No root.",
        "Enter the function.",
        "Initial value.",
        "JPEG Files (*.JPG)",
        "Save graphic",
        "Error on saving graphic !",
        " One root :",
        " roots : ",
        std::string("No root found. ") + "Select another interval by either " +
            "zooming in or out, moving in a certain direction or " +
            "by explictly defining another interval (press F9).",
        " root",
        "found. Click one root to see it on the graphic.",
        " seconds",
        "invisibile",
        "New interval",
        "Another precision",
        "Invalid data !",
        "To evaluate the function, press Evaluate.",
        "Press Roots to get the roots on the current interval.",
        "Click to move the graphic.",
        "Revert to the standard graph.",
        "Automatically adjust the image of the graph.",
        "The two values don't build an interval.",
        "The interval is too big.",
        "The interval is too small.",
        "Zerovane Wizard - Step ",
        " of ",
        "Are you sure you want to exit the wizard ?",
        "The program will speak Romanian at the next start !",
        "Please restart Zerovane",
        "You will notice the changes at the next start !",
    };
    return texts;
}

} // namespace

void FillMessageTexts()
{
    // The table is built on first use; this only makes sure that happens at start-up.
    Table();
}

const std::string &MessageText(int index)
{
    static const std::string none;
    if (index < 1 || index > kMessageTextCount)
        return none;
    return Table()[static_cast<size_t>(index)];
}

} // namespace zv
