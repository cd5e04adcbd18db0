#!/usr/bin/env python3
"""The program's accessible objects as a screen reader reads them over AT-SPI.

  accessible_tree.py PID dump         one line per object, tab-separated: role, name,
                                      description, states, actions, value (current/min/max)
  accessible_tree.py PID press NAME   does the Press action of the button named NAME

PID is the program's process. Exits 3 while that program is not on the accessibility bus,
4 when there is no such button.
"""
import sys

import pyatspi


def program(pid):
    desktop = pyatspi.Registry.getDesktop(0)
    for index in range(desktop.childCount):
        app = desktop.getChildAtIndex(index)
        if app is not None and app.get_process_id() == pid:
            return app
    return None


def walk(node, depth=0):
    yield node
    if depth > 40:
        return
    for index in range(node.childCount):
        child = node.getChildAtIndex(index)
        if child is not None:
            yield from walk(child, depth + 1)


def action_names(node):
    try:
        action = node.queryAction()
    except NotImplementedError:
        return []
    return [action.getName(index) for index in range(action.nActions)]


def value_of(node):
    try:
        value = node.queryValue()
    except NotImplementedError:
        return ''
    return '%g/%g/%g' % (value.currentValue, value.minimumValue, value.maximumValue)


def state_names(node):
    return sorted(state.value_nick for state in node.getState().getStates())


def flat(text):
    return (text or '').replace('\t', ' ').replace('\n', ' ')


def dump(app):
    for node in walk(app):
        print('\t'.join([node.getRoleName(), flat(node.name), flat(node.description),
                         ','.join(state_names(node)), ','.join(action_names(node)), value_of(node)]))


def press(app, name):
    for node in walk(app):
        if node.name == name and 'Press' in action_names(node):
            node.queryAction().doAction(action_names(node).index('Press'))
            return 0
    return 4


def main():
    app = program(int(sys.argv[1]))
    if app is None:
        return 3
    if sys.argv[2] == 'dump':
        dump(app)
        return 0
    return press(app, sys.argv[3])


if __name__ == '__main__':
    sys.exit(main())
