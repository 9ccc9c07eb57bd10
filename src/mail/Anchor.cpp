int mailAnchor = 0;
