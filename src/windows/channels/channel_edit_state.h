#pragma once

// Where the channel windows are: the cell being edited, the group they
// address, which of the two channel windows is open. Only the channel
// windows and the commands over the table use it; channels::editState
// gives the one of a window context.

namespace zav::channels {

struct ChannelEditState {
    int editColumn = 1;          ///< EditCell column
    int editRow = 1;             ///< EditCell row
    int editGroup = 0;
    int captionRow = 1;
    bool skipRxCheck = false;
    bool skipNextEnterCell = false;
    bool detailEditorOpen = false;
    bool channelTableOpen = false;
};

} // namespace zav::channels
