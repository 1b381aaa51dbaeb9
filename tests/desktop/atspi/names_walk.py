# A screen reader's view of the game over the AT-SPI bus: answers the start-up question "No"
# by its button, then walks the offline main window and lists every interactive object shown
# without a name. Exit status 0 when there is none, 1 when there are (or the walk found
# too few objects to have read the window), 2 when the window never came.
import sys
import time

import pyatspi

INTERACTIVE = {
    pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TOGGLE_BUTTON, pyatspi.ROLE_CHECK_BOX,
    pyatspi.ROLE_RADIO_BUTTON, pyatspi.ROLE_MENU_ITEM, pyatspi.ROLE_CHECK_MENU_ITEM,
    pyatspi.ROLE_RADIO_MENU_ITEM, pyatspi.ROLE_MENU, pyatspi.ROLE_PAGE_TAB,
    pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY, pyatspi.ROLE_PASSWORD_TEXT, pyatspi.ROLE_COMBO_BOX,
    pyatspi.ROLE_LIST, pyatspi.ROLE_LIST_BOX, pyatspi.ROLE_TABLE, pyatspi.ROLE_TREE,
    pyatspi.ROLE_TREE_TABLE, pyatspi.ROLE_TABLE_CELL, pyatspi.ROLE_LIST_ITEM,
    pyatspi.ROLE_TREE_ITEM, pyatspi.ROLE_COLUMN_HEADER, pyatspi.ROLE_TABLE_COLUMN_HEADER,
    pyatspi.ROLE_SPIN_BUTTON, pyatspi.ROLE_SLIDER,
}
# Web content belongs to the site's pages, which name their own controls.
WEB = {pyatspi.ROLE_DOCUMENT_WEB, pyatspi.ROLE_DOCUMENT_FRAME}


def Wait(what, seconds):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        found = what()
        if found is not None:
            return found
        time.sleep(0.25)
    return None


def Game():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name.lower().startswith("sudoku"):
            return app
    return None


def Find(root, test, limit=4000):
    stack, seen = [root], 0
    while stack and seen < limit:
        node = stack.pop()
        seen += 1
        if node is None:
            continue
        try:
            if test(node):
                return node
            stack.extend(node[i] for i in range(node.childCount))
        except Exception:
            continue
    return None


def IsNoButton(node):
    return node.getRole() == pyatspi.ROLE_PUSH_BUTTON and node.name.replace("&", "") == "No"


def Unnamed(root, path, found, checked, deadline):
    if time.monotonic() > deadline:
        raise TimeoutError("walk took too long")
    try:
        states = root.getState()
        role = root.getRole()
    except Exception:
        return
    if not states.contains(pyatspi.STATE_VISIBLE) or role in WEB:
        return
    here = "%s/%s(%s)" % (path, root.getRoleName(), root.name)
    if role in INTERACTIVE:
        checked.append(here)
        if not root.name.strip():
            found.append(here)
    for i in range(root.childCount):
        Unnamed(root[i], here, found, checked, deadline)


def main():
    app = Wait(Game, 60)
    if app is None:
        print("the game never showed on the accessibility bus")
        return 2
    button = Wait(lambda: Find(app, IsNoButton), 60)
    if button is None:
        print("no start-up question with a No button")
        return 2
    button.queryAction().doAction(0)
    frame = Wait(lambda: Find(app, lambda n: n.getRole() == pyatspi.ROLE_FRAME and
                              n.getState().contains(pyatspi.STATE_VISIBLE) and
                              Find(n, IsNoButton) is None and n.childCount > 0), 30)
    if frame is None:
        print("the main window never showed")
        return 2
    time.sleep(1)  # the offline set-up fills the window after the question
    found, checked = [], []
    Unnamed(frame, "", found, checked, time.monotonic() + 120)
    for line in found:
        print("unnamed:", line)
    print("%d of %d interactive objects without a name" % (len(found), len(checked)))
    # The board alone holds 81 cells: fewer means the walk never reached the window's content.
    if len(checked) < 81:
        print("\n".join(checked))
        return 1
    return 1 if found else 0


sys.exit(main())
