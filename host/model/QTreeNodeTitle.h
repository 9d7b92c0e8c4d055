#pragma once

#include <QString>

// The title of a project-tree node kind (enTreeNodeKind): the tree and the page tabs show the same words.
class QTreeNodeTitle
{
public:
    // Empty for a drive node (it shows the drive's name) and for kinds without a title.
    static QString title(int kind);
};
